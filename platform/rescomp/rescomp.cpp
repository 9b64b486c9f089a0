// rescomp -o OUTPUT.cpp INPUT.txt...: compiles the module's string lists, dialogs and image lists into the
// C++ source of its resource table. Malformed input is reported as "file:line: error: ..." with exit code 1.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "ResourceCompiler.h"

int main(int argc, char** argv) {
    std::string output;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
            output = argv[++i];
        } else if (argv[i][0] == '-') {
            output.clear();
            break;
        } else {
            inputs.emplace_back(argv[i]);
        }
    }
    if (output.empty()) {
        std::cerr << "usage: rescomp -o OUTPUT.cpp INPUT.txt...\n";
        return 2;
    }
    return rescomp::compile(inputs, output, std::cerr);
}
