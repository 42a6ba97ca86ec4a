#include "ZELBIWPointFastener.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "ZELIBIWPointFastener.h"
#include "ZELISpotWeld.h"

TEST(ZELBIWPointFastenerTest, TheFirstSixSpotWeldSettingsAreTheDesignPosition) {
  ModelTestDocument model;
  ZELISpotWeld_var weld(model.w1);
  ASSERT_TRUE(weld);
  EXPECT_EQ(weld->SetValues({100, 200, 300, 10, 20, 30, 0, 0, 1}), S_OK);
  EXPECT_EQ(weld->SetValues({1, 2, 3}), E_INVALIDARG);
  EXPECT_EQ(weld->SetValue(10, 1.0), E_INVALIDARG);
  EXPECT_EQ(weld->SetValue(0, 1.0), E_INVALIDARG);
  double value = 0.0;
  EXPECT_EQ(weld->GetValue(9, value), S_OK);
  EXPECT_EQ(value, 1.0);

  ZELIBIWPointFastener_var point(model.w1);
  QIVRawColldouble design;
  point->GetDesignPosition(design);
  EXPECT_EQ(design, (QIVRawColldouble{100, 200, 300, 10, 20, 30}));
  point->SetDesignPosition({1, 2, 3, 0, 0, 45});
  weld->GetValue(6, value);
  EXPECT_EQ(value, 45.0);
  weld->GetValue(7, value);
  EXPECT_EQ(value, 0.0);
  QIVMathTransformation placement;
  point->GetDesignPlacement(placement);
  EXPECT_TRUE(placement.IsNear(QIVMathTransformation::FromYPR(1, 2, 3, 0, 0, 45)));
  EXPECT_FALSE(ZELISpotWeld_var(model.seam));
}

TEST(ZELBIWPointFastenerTest, ManufacturingPositionIsAbsentUntilSetAndCanBeCleared) {
  ModelTestDocument model;
  ZELIBIWPointFastener_var point(model.w2);
  QIVRawColldouble position;
  point->GetManufacturingPosition(position);
  EXPECT_TRUE(position.IsEmpty());
  QIVRawColldouble design;
  point->GetDesignPosition(design);
  EXPECT_EQ(point->SetManufacturingPosition(design, true), S_OK);
  point->GetManufacturingPosition(position);
  EXPECT_EQ(position, design);
  EXPECT_EQ(point->SetManufacturingPosition({1, 2}, true), E_INVALIDARG);
  EXPECT_EQ(point->SetManufacturingPosition({}, false), S_OK);
  point->GetManufacturingPosition(position);
  EXPECT_TRUE(position.IsEmpty());
}
