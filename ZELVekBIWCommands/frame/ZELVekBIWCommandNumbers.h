#pragma once

#include <cstdint>

#include "QIVDialogAgent.h"
#include "QIVStateCommand.h"

// The numbers the module gives the host, named once: command behaviour
// words and modes, agent behaviour words, window and widget styles.

namespace ZELVekBIWBehavior {
// Starting the class again while it runs is refused.
inline constexpr std::uint64_t Single = QIVCommandBehavior::SingleInstance;  // 0x20
// Starting the class again cancels the running command.
inline constexpr std::uint64_t Replace = QIVCommandBehavior::ReplaceInstance;  // 0x40
}  // namespace ZELVekBIWBehavior

namespace ZELVekBIWMode {
inline constexpr int Exclusive = QIVCommandMode::Exclusive;  // 0
inline constexpr int Shared = QIVCommandMode::Shared;        // 1
}  // namespace ZELVekBIWMode

namespace ZELVekBIWAgentBehavior {
// 0x800000 is kept for the views and changes nothing headless.
inline constexpr std::uint64_t RepeatingPick = 0x800000 | QIVAgentBehavior::Repeat;  // 0x800800
inline constexpr std::uint64_t RepeatingMultiPick = RepeatingPick | QIVAgentBehavior::MultiAcquisition;  // 0x840800
}  // namespace ZELVekBIWAgentBehavior

namespace ZELVekBIWStyle {
// A warning box with its OK button.
inline constexpr unsigned long WarningBox = 0x10100200;
// The manufactured assembly update's box of collected warnings.
inline constexpr unsigned long FlowWarningBox = 0x4140200;
inline constexpr unsigned long ActivityDialog = 0x400C00;
inline constexpr unsigned long PanelDialog = 0xC00;
inline constexpr unsigned long Frame = 0x80000;
inline constexpr unsigned long ReadOnlyEditor = 0x4000000;
inline constexpr unsigned long MultipleSelection = 0x40000;
// A box that reports what a command found.
inline constexpr unsigned long ReportBox = 0x4100200;
// The box that refuses a file that is no weld file.
inline constexpr unsigned long FileErrorBox = 0x8100000;
inline constexpr unsigned long SaveFileBox = 0x840200;
inline constexpr unsigned long WeldFileDialog = 0x40e01;
inline constexpr unsigned long ExportDialog = 0x2000000;
inline constexpr unsigned long ReadOnlyNumberEditor = 0x4200000;
}  // namespace ZELVekBIWStyle
