#include <string>
#include <vector>

#include "BiwplanSession.h"
#include "BiwplanVerbs.h"

int main(int argc, char** argv) {
  // Sanitizer builds take everything down, so that their leak check sees
  // every object freed.
#ifndef __SANITIZE_ADDRESS__
  BiwplanSession::LeaveDocumentsToProcessEnd();
#endif
  return BiwplanRun(std::vector<std::string>(argv + 1, argv + argc));
}
