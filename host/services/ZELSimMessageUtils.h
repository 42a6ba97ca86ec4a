#pragma once

// Messages of the process controller while a simulation runs.
class ZELSimMessageUtils {
 public:
  // Blocks (or lets through again) the controller's progress messages in
  // the current session's world.
  static void SetBlockPCMessageFlag(bool block);
};
