#include "host/app.h"
#include "startup/sub_main.h"

// The entry point only hands the project to the runtime.
int main() {
    static startup::SubMain program;
    return host::runProgram([] { program.Main(); });
}
