#pragma once

#include "ZELVekBIWCreateActivityCmd.h"

// The thirteen activity creation commands, one per BIW activity kind. The
// host finds each by its class name; everything they do is the common
// command run with their kind.

class ZELVekBIWCreateACTWeldingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateACTWeldingActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::ACTWelding) {}
};

class ZELVekBIWCreateStudWeldingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateStudWeldingActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::StudWelding) {}
};

class ZELVekBIWCreateSpotGluingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateSpotGluingActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::SpotGluing) {}
};

class ZELVekBIWCreateClinchingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateClinchingActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::Clinching) {}
};

class ZELVekBIWCreateArcWeldingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateArcWeldingActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::ArcWelding) {}
};

class ZELVekBIWCreateAdhesiveApplicationActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateAdhesiveApplicationActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::AdhesiveApplication) {}
};

class ZELVekBIWCreateSealantApplicationActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateSealantApplicationActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::SealantApplication) {}
};

class ZELVekBIWCreateClampingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateClampingActivityCmd() : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::Clamping) {}
};

class ZELVekBIWCreateUnclampingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateUnclampingActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::Unclamping) {}
};

class ZELVekBIWCreateLoadingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateLoadingActivityCmd() : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::Loading) {}
};

class ZELVekBIWCreateUnloadingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateUnloadingActivityCmd()
      : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::Unloading) {}
};

class ZELVekBIWCreateStationActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateStationActivityCmd() : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::Station) {}
};

class ZELVekBIWCreateGroupingActivityCmd final : public ZELVekBIWCreateActivityCmd {
 public:
  ZELVekBIWCreateGroupingActivityCmd() : ZELVekBIWCreateActivityCmd(ZELVekBIWCreateActivityKinds::Grouping) {}
};
