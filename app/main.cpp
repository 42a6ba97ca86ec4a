#include <string>
#include <vector>

#include "BiwplanVerbs.h"

int main(int argc, char** argv) { return BiwplanRun(std::vector<std::string>(argv + 1, argv + argc)); }
