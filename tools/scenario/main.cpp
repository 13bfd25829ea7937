// lectio-scenario: runs scenario scripts against the application on the headless backend.
//   lectio-scenario [--data DIR] script.txt...   ("-" reads standard input)
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/scenario/scenario_runner.h"

int main(int argc, char** argv) {
    std::string data;
    std::vector<std::string> scripts;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--data" && i + 1 < argc)
            data = argv[++i];
        else
            scripts.push_back(a);
    }
    if (scripts.empty()) {
        std::cerr << "usage: lectio-scenario [--data DIR] script.txt... (- for standard input)\n";
        return 2;
    }
    bool temporary = data.empty();
    if (temporary) {
        char pattern[] = "/tmp/lectio-scenario-XXXXXX";
        if (!mkdtemp(pattern)) {
            std::cerr << "cannot make a temporary data directory\n";
            return 1;
        }
        data = pattern;
    }
    bool ok = true;
    {
        scenario::Runner runner(std::cout, data);
        for (auto& path : scripts) {
            if (path == "-") {
                ok = runner.run(std::cin) && ok;
                continue;
            }
            std::ifstream in(path);
            if (!in) {
                std::cerr << "cannot read " << path << "\n";
                ok = false;
                continue;
            }
            ok = runner.run(in) && ok;
        }
    }
    if (temporary) std::filesystem::remove_all(data);
    return ok ? 0 : 1;
}
