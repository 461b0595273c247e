// harvexa-admin: creates, upgrades, seeds and describes Harvexa databases.
#include <iostream>
#include <string>
#include <vector>

#include "harvexa-admin/CommandLine.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return hvx::admin::RunCommandLine(args, std::cout, std::cerr);
}
