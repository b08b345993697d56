#include <iostream>

#include "platform/office/host/officectl/commands.h"

int main(int argc, char** argv) { return officectl::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr); }
