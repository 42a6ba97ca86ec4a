#pragma once

// The start of a simulation: what it puts back when a simulation command
// ends or is cancelled.
class ZELBasicStartProclet {
 public:
  // Asks that the design locations be put back (the current session's
  // world).
  static void setRestoreDesignLocation(bool restore);
  // Puts the design locations back when asked to, and forgets the request.
  static void RestoreIfRequested();
};
