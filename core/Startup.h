// The road of the process from its entry to its exit.
#pragma once

#include <cstdint>

namespace quil {

// The whole life of the process; returns the exit status.
int32_t ModuleMain();
// Builds the class tables: the framework's, then the system's.
void ModuleInitialize();
// Runs the framework's initialisation with Startup, then the event loop; hands any
// exception that escapes them to the framework's handler of unhandled exceptions.
void Main();
// The start-up sequence, run during the framework's initialisation.
void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();
// Releases the module-level objects.
void ModuleFinalize();

}  // namespace quil
