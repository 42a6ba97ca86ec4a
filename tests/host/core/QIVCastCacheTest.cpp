#include "QIVCastCache.h"

#include <gtest/gtest.h>

#include <vector>

#include "QIVBaseUnknown.h"
#include "QIVVar.h"

namespace {

class ICacheShape : public QIVInterface<ICacheShape> {
 public:
  static constexpr const char* InterfaceName = "ICacheShape";
  virtual int Corners() const = 0;
};

class ICacheColour : public QIVInterface<ICacheColour> {
 public:
  static constexpr const char* InterfaceName = "ICacheColour";
  virtual int Colour() const = 0;
};

class ICacheLabel : public QIVInterface<ICacheLabel> {
 public:
  static constexpr const char* InterfaceName = "ICacheLabel";
  virtual int Label() const = 0;
};

// Moves the parts that follow it, so that the same interfaces stand at
// other distances from the shared QIVBaseUnknown part.
class Padding {
 public:
  virtual ~Padding() = default;
  long padding[5] = {};
};

// Casts, as a fresh dynamic_cast gives them, from a part under construction.
struct Seen {
  void* cached = nullptr;
  void* fresh = nullptr;
};

Seen SeenShape(QIVBaseUnknown* object) {
  const QIVIID& shape = ICacheShape::ClassId();
  return {QIVCastCache::Instance().CastOf(shape.cast, object), shape.cast(object)};
}

class CacheSquare : public ICacheShape, public ICacheColour {
 public:
  CacheSquare() { built = SeenShape(this); }
  ~CacheSquare() override { *destroyed = SeenShape(this); }
  int Corners() const override { return 4; }
  int Colour() const override { return 7; }

  Seen built;
  Seen ignored;
  Seen* destroyed = &ignored;
};

class CacheFramedSquare : public Padding, public CacheSquare, public ICacheLabel {
 public:
  int Colour() const override { return 9; }
  int Label() const override { return 40; }
  long frame[3] = {};
};

const std::vector<const QIVIID*>& AllInterfaces() {
  static const std::vector<const QIVIID*> all{&ICacheShape::ClassId(), &ICacheColour::ClassId(),
                                              &ICacheLabel::ClassId(), &QIVBaseUnknown::ClassId()};
  return all;
}

}  // namespace

TEST(QIVCastCacheTest, AnswersAsAFreshCastForEveryLayoutAndInterface) {
  QIVCastCache& cache = QIVCastCache::Instance();
  std::vector<QIVBaseUnknown_var> objects{QIVBaseUnknown_var::Adopt(new CacheSquare),
                                          QIVBaseUnknown_var::Adopt(new CacheFramedSquare),
                                          QIVBaseUnknown_var::Adopt(new CacheSquare),
                                          QIVBaseUnknown_var::Adopt(new CacheFramedSquare)};
  // Twice: once filling the cache, once answered from it.
  for (int round = 0; round < 2; ++round) {
    for (const QIVBaseUnknown_var& object : objects) {
      for (const QIVIID* iid : AllInterfaces()) {
        SCOPED_TRACE(iid->name);
        EXPECT_EQ(cache.CastOf(iid->cast, object.get()), iid->cast(object.get()));
        EXPECT_EQ(iid->CastOf(object.get()), iid->cast(object.get()));
      }
    }
  }
  // The same interface, reached through different distances, still works.
  EXPECT_EQ(QIVVar<ICacheColour>(objects[0])->Colour(), 7);
  EXPECT_EQ(QIVVar<ICacheColour>(objects[1])->Colour(), 9);
  EXPECT_EQ(QIVVar<ICacheLabel>(objects[3])->Label(), 40);
  EXPECT_FALSE(QIVVar<ICacheLabel>(objects[2]));
}

TEST(QIVCastCacheTest, APartUnderConstructionOrDestructionIsNotTakenForTheWholeObject) {
  // A lone square first, so that the cache knows the square's own layout.
  Seen loneDestroyed, framedDestroyed;
  {
    QIVVar<CacheSquare> lone = QIVMake<CacheSquare>();
    EXPECT_EQ(SeenShape(lone.get()).cached, SeenShape(lone.get()).fresh);
    lone->destroyed = &loneDestroyed;
  }
  EXPECT_NE(loneDestroyed.fresh, nullptr);
  EXPECT_EQ(loneDestroyed.cached, loneDestroyed.fresh);

  // Inside a framed square the square's part has the same type but another
  // layout, while it is built and while it is destroyed.
  for (int round = 0; round < 2; ++round) {
    QIVVar<CacheFramedSquare> framed = QIVMake<CacheFramedSquare>();
    EXPECT_NE(framed->built.fresh, nullptr);
    EXPECT_EQ(framed->built.cached, framed->built.fresh);
    framed->destroyed = &framedDestroyed;
    framed = nullptr;
    EXPECT_NE(framedDestroyed.fresh, nullptr);
    EXPECT_EQ(framedDestroyed.cached, framedDestroyed.fresh);
  }
}

