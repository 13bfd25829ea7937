#pragma once
// Runs a plain-text script of user actions against the whole application on the headless
// backend and prints the resulting state. The language is described in docs/SCENARIOS.md.
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_device.h"

namespace scenario {

class Runner {
public:
    // `dataDirectory`: where the embedded services keep their store for this run.
    Runner(std::ostream& out, std::string dataDirectory);
    ~Runner();

    // Runs one script; returns false (after printing the error with its line number) when a
    // line cannot be carried out.
    bool run(std::istream& script);
    bool runLine(const std::string& line);

private:
    struct SimulatedDevice;
    SimulatedDevice& current();
    void startDevice(const std::string& name);
    bool resolvePoint(const std::vector<std::string>& words, std::size_t& i, platform::Point& p, std::string& error);
    void print(const std::vector<std::string>& what);
    void printView(const std::string& name);
    void printRows(const std::string& tableName);

    std::ostream& out_;
    std::string dataDirectory_;
    platform::headless::World world_;
    std::map<std::string, std::unique_ptr<SimulatedDevice>> devices_;
    SimulatedDevice* current_ = nullptr;
    platform::Size screenSize_{390, 844};
    int lineNumber_ = 0;
};

}  // namespace scenario
