#include "sim/DriverCore.h"
#include "sim/PtyDriver.h"
#include "sim/SimOptions.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    using namespace vk::sim;
    SimOptions options;
    try {
        options = parseSimOptions({argv + 1, argv + argc});
    } catch (const SimOptionError& error) {
        std::cerr << "vk785n-sim: " << error.what() << '\n';
        return 2;
    }
    if (options.help) {
        std::cout << simUsage();
        return 0;
    }
    if (options.version) {
        std::cout << "vk785n-sim " VK_VERSION "\n";
        return 0;
    }
    DriverCore core(options.faults);
    applyMemory(options, core);
    try {
        PtyDriver driver(core, std::cerr, options.verbose ? LineLog::Traffic : LineLog::Troubles);
        const std::string path = driver.open();
        // Before the path is out, so no terminal program can have opened the line yet.
        if (!options.stale.empty())
            driver.sendNow(options.stale);
        std::cout << path << std::endl;
        driver.serveUntilSignal();
    } catch (const std::exception& error) {
        std::cerr << "vk785n-sim: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
