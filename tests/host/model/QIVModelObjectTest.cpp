#include "QIVModelObject.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "QIVDictionary.h"
#include "QIVISPPActivityRoot.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIBIWActivityWelding.h"
#include "ZELIBIWTopFastenerGroup.h"

namespace {

class IModelTestNote : public QIVInterface<IModelTestNote> {
 public:
  static constexpr const char* InterfaceName = "IModelTestNote";
  virtual QIVBaseUnknown* Noted() const = 0;
};

class ModelTestNote : public IModelTestNote {
 public:
  explicit ModelTestNote(QIVBaseUnknown* extended) : _extended(extended) {}
  QIVBaseUnknown* Noted() const override { return _extended.Identity(); }

 private:
  QIVBaseUnknown_var _extended;
};

QIVBaseUnknown* MakeNote(QIVBaseUnknown* extended) { return new ModelTestNote(extended); }

// Whether a query of I succeeds, checking that what it gives is the
// object's own I.
template <class I>
bool Answers(const QIVBaseUnknown_var& object) {
  QIVVar<I> answer(object);
  if (answer) {
    EXPECT_EQ(static_cast<void*>(answer.get()), dynamic_cast<I*>(object.get()));
  }
  return static_cast<bool>(answer);
}

}  // namespace

TEST(QIVModelObjectTest, EachObjectOffersByItsOwnStateWhateverWasAskedOfItsKindBefore) {
  ModelTestDocument model;
  QIVBaseUnknown_var target, simple;
  model.document->CreateDatum(true, "T1", model.side1, target);
  model.document->CreateDatum(false, "A", model.floor, simple);
  // Asked in both orders, so that neither answer comes first to the cache.
  for (int round = 0; round < 2; ++round) {
    EXPECT_TRUE(Answers<QIVITPSDatumTarget>(target));
    EXPECT_FALSE(Answers<QIVITPSDatumTarget>(simple));
    EXPECT_TRUE(Answers<QIVITPSDatumSimple>(simple));
    EXPECT_FALSE(Answers<QIVITPSDatumSimple>(target));

    EXPECT_TRUE(Answers<QIVISPPActivityRoot>(model.root));
    EXPECT_FALSE(Answers<QIVISPPActivityRoot>(model.grouping));
    EXPECT_FALSE(Answers<ZELIBIWActivityWelding>(model.station1));
    EXPECT_TRUE(Answers<ZELIBIWActivityWelding>(model.welding));
    EXPECT_TRUE(Answers<ZELIBIWActivityStation>(model.station1));
    EXPECT_FALSE(Answers<ZELIBIWActivityStation>(model.welding));

    EXPECT_FALSE(Answers<ZELIBIWTopFastenerGroup>(model.joint1));
    EXPECT_TRUE(Answers<ZELIBIWTopFastenerGroup>(model.top));

    EXPECT_TRUE(Answers<QIVISPPItem>(model.w1));
    EXPECT_FALSE(Answers<QIVISPPItem>(model.welding));
  }
}

TEST(QIVModelObjectTest, ExtensionsOfAnyLateTypeAnswerWhatTheObjectDoesNotOffer) {
  static const bool registered =
      QIVDictionary::Instance().RegisterExtension(QIVSPPActivityTypes::Welding, "IModelTestNote", &MakeNote);
  ASSERT_TRUE(registered);
  ModelTestDocument model;
  for (int round = 0; round < 2; ++round) {
    QIVVar<IModelTestNote> note(model.welding);
    ASSERT_TRUE(note);
    EXPECT_TRUE(note->Noted() == model.welding.Identity());
    EXPECT_FALSE(QIVVar<IModelTestNote>(model.station1));
    EXPECT_FALSE(QIVVar<IModelTestNote>(model.w1));
  }
}
