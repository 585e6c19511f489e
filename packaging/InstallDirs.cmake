# Where an installed copy lives. The program reads its catalogue and collections from its
# working directory, so they are installed beside the executable in one program folder,
# and the launcher and the desktop entry start it there.
include(GNUInstallDirs)
set(ZELTO_INSTALL_PROGRAMDIR "lib/zelto" CACHE STRING
    "Program folder of an installed copy (executable, catalogue, collections), relative to the prefix")
