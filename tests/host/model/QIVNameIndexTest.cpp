#include "QIVNameIndex.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
struct Named {
  QIVUnicodeString name;
};
const QIVUnicodeString& NameOf(Named* object) { return object->name; }

// Renames an object as the model does: the new name first, then the index.
void Rename(QIVNameIndex<Named*>& index, Named& object, const char* name) {
  const QIVUnicodeString previous = std::exchange(object.name, name);
  index.Rename(previous, object.name, &object);
}
}  // namespace

// The lazy index answers exactly as the eager one, whatever was renamed or
// removed before its first lookup.
TEST(QIVNameIndexTest, LazyAnswersAsEagerAfterRenamesAndRemovals) {
  std::vector<Named> eagerObjects(5), lazyObjects(5);
  QIVNameIndex<Named*> eager;
  QIVNameIndex<Named*> lazy(&NameOf);
  auto both = [&](auto&& step) {
    step(eager, eagerObjects);
    step(lazy, lazyObjects);
  };
  both([](QIVNameIndex<Named*>& index, std::vector<Named>& objects) {
    for (Named& object : objects) {
      index.Add(object.name, &object);
      Rename(index, object, "A");
    }
    Rename(index, objects[1], "B");
    Rename(index, objects[0], "A");
    index.Remove(objects[3].name, &objects[3]);
    Rename(index, objects[2], "");
    index.Add("C", &objects[4]);
  });
  auto positions = [](const std::vector<Named*>& found, const std::vector<Named>& objects) {
    std::vector<long> at;
    for (const Named* object : found) at.push_back(object - objects.data());
    return at;
  };
  for (const char* name : {"A", "B", "C", ""}) {
    EXPECT_EQ(positions(lazy.All(name), lazyObjects), positions(eager.All(name), eagerObjects)) << name;
  }
  EXPECT_EQ(positions(lazy.All("A"), lazyObjects), (std::vector<long>{4, 0}));
}
