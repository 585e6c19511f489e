#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The program's command line, read before the application object exists, so that
// --help and --version need no display and touch no settings or lock.
class CommandLine
{
public:
    enum class Action { Run, Print, Fail };

    struct Result
    {
        Action action = Action::Run;
        QString text; // what to print: to standard output for Print, to standard error for Fail
        int exitCode = 0;
        // For Run: the first argument and the toolkit's own options, for the application object.
        QStringList toolkitArguments;
        // For Run with --find: the text for the find window's field (may be empty).
        std::optional<QString> findText;
    };

    // Longer texts after --find are refused: no search field needs them.
    static constexpr qsizetype MaxFindText = 1000;

    // arguments: the whole command line, the program's name first.
    static Result parse(const QStringList &arguments);

    static QString usage();
    static QString helpText();
    static QString versionText();
};
