// Any bytes as a replay script: the reader must answer with commands or with a
// message naming a line, never crash or run away with memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScriptResult result = parseScript(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.ok == !result.error.empty()) std::abort();
    if (!result.ok) {
        if (result.error.rfind("line ", 0) != 0 && result.error.find("larger than") == std::string::npos)
            std::abort();
        return 0;
    }
    int32_t previous = 0;
    for (const ScriptCommand& command : result.script.commands) {
        if (command.pass < previous || command.pass < 1 || command.pass > maxPass + 1) std::abort();
        previous = command.pass;
    }
    return 0;
}
