// velmora-world: makes, inspects and edits world slot files without the game window.
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "platform/platform.h"

void printUsage(std::FILE* to) {
    std::fprintf(to,
                 "usage: velmora-world generate --seed SEED --slot K --dir DIR\n"
                 "       velmora-world info FILE\n"
                 "       velmora-world set --slot K --dir DIR X Y Z TYPE [X Y Z TYPE ...]\n"
                 "       velmora-world give --slot K --dir DIR CELL TYPE COUNT [...]\n"
                 "       velmora-world time --slot K --dir DIR DAYTIME [SUBDAYTIME]\n"
                 "       velmora-world map FILE --out PICTURE.png [--scale N] [--force]\n"
                 "       velmora-world check FILE\n"
                 "       velmora-world COMMAND --help\n");
    if (to == stdout) printSlotFolderNote();
}

const char* defaultSlotFolder() {
    static const std::string folder = plat::filesFolder();
    return folder.c_str();
}

void printSlotFolderNote() {
    std::printf(
        "\n"
        "Without --dir, DIR is the folder the game beside this tool keeps its worlds in:\n"
        "  %s\n",
        defaultSlotFolder());
}

int readFileArgument(int argc, char** argv, const char* command, void (*printHelp)(),
                     const char*& path) {
    path = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            printHelp();
            return 0;
        }
        if (argv[i][0] == '-' || path) {
            std::fprintf(stderr, "velmora-world %s: unknown argument '%s'\n", command, argv[i]);
            printUsage();
            return kExitUsage;
        }
        path = argv[i];
    }
    if (!path) {
        printUsage();
        return kExitUsage;
    }
    return -1;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage();
        return kExitUsage;
    }
    const char* command = argv[1];
    if (!std::strcmp(command, "--help") || !std::strcmp(command, "-h")) {
        printUsage(stdout);
        return 0;
    }
    if (!std::strcmp(command, "generate")) return runGenerate(argc - 2, argv + 2);
    if (!std::strcmp(command, "info")) return runInfo(argc - 2, argv + 2);
    if (!std::strcmp(command, "set")) return runSet(argc - 2, argv + 2);
    if (!std::strcmp(command, "give")) return runGive(argc - 2, argv + 2);
    if (!std::strcmp(command, "time")) return runTime(argc - 2, argv + 2);
    if (!std::strcmp(command, "map")) return runMap(argc - 2, argv + 2);
    if (!std::strcmp(command, "check")) return runCheck(argc - 2, argv + 2);
    std::fprintf(stderr, "velmora-world: unknown command '%s'\n", command);
    printUsage();
    return kExitUsage;
}
