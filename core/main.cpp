#include "Startup.h"

#include <cstdlib>

int main() { std::exit(quil::ModuleMain()); }
