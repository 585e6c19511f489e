#pragma once

#include <QString>
#include <QStringList>

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
    };

    // arguments: the whole command line, the program's name first.
    static Result parse(const QStringList &arguments);

    static QString usage();
    static QString helpText();
    static QString versionText();
};
