#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "QIVSharedLibrary.h"

using ::testing::AllOf;
using ::testing::HasSubstr;

// A library or function that is not there fails with a text that names it
// and gives the loader's reason; one that is there answers its functions.
TEST(QIVSharedLibraryTest, NamesWhatCannotBeLoaded) {
  try {
    QIVSharedLibrary missing("libbiwplan-absent.so.1");
    FAIL() << "loaded a library that does not exist";
  } catch (const QIVSharedLibrary::Error& error) {
    EXPECT_THAT(error.what(), AllOf(HasSubstr("cannot load libbiwplan-absent.so.1: "),
                                    HasSubstr("No such file or directory")));
  }

  const QIVSharedLibrary libc("libc.so.6");
  EXPECT_EQ(libc.Function<decltype(&std::atoi)>("atoi")("42"), 42);
  try {
    libc.Function<void (*)()>("biwplan_absent_function");
    FAIL() << "bound a function the library lacks";
  } catch (const QIVSharedLibrary::Error& error) {
    EXPECT_THAT(error.what(),
                AllOf(HasSubstr("cannot load libc.so.6: "), HasSubstr("biwplan_absent_function")));
  }
}
