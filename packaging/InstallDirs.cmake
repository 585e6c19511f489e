# Where an installed copy lives. The program reads its catalogue and collections from its
# working directory: they are architecture-independent and go to a data folder of their
# own; the executable goes to a private program folder; the launcher and the desktop
# entry start it with the data folder as its working directory.
include(GNUInstallDirs)
set(ZELTO_INSTALL_PROGRAMDIR "lib/zelto" CACHE STRING
    "Folder of the installed executable, relative to the prefix")
set(ZELTO_INSTALL_DATADIR "share/zelto" CACHE STRING
    "Folder of the installed catalogue and collections, relative to the prefix")
