#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include "QIVPostgresConnection.h"
#include "QIVRepository.h"

// A new, empty repository for one test on the engine named by the test's
// parameter ("SQLite" or "PostgreSQL"): a file in a folder of its own, or a
// database of its own on the throw-away server whose URL the file named by
// BIWPLAN_TEST_POSTGRES holds (tests/host/repository/postgres-server.sh).
// PostgreSQL tests are skipped when that variable is not set (a test
// program run by hand); under ctest it always is.
class ScratchRepository {
 public:
  explicit ScratchRepository(const std::string& engine) {
    static std::atomic<int> counter{0};
    const std::string name = "biwplan_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    if (engine == "SQLite") {
      _folder = std::filesystem::temp_directory_path() / name;
      std::filesystem::create_directories(_folder);
      _location = (_folder / "repository.sqlite").string();
      return;
    }
    const char* state = std::getenv("BIWPLAN_TEST_POSTGRES");
    if (!state) return;
    std::ifstream in(state);
    std::getline(in, _server);
    if (_server.empty()) ADD_FAILURE() << "no server URL in " << state;
    QIVPostgresConnection(_server).RunScript("CREATE DATABASE " + name);
    _database = name;
    // postgresql://user:password@/postgres?host=... -> the new database.
    _location = _server;
    _location.replace(_location.find("/postgres?"), 9, "/" + name);
  }
  ~ScratchRepository() {
    if (!_database.empty()) QIVPostgresConnection(_server).RunScript("DROP DATABASE " + _database + " WITH (FORCE)");
    if (!_folder.empty()) std::filesystem::remove_all(_folder);
  }
  ScratchRepository(const ScratchRepository&) = delete;
  ScratchRepository& operator=(const ScratchRepository&) = delete;

  bool Available() const { return !_location.empty(); }
  const std::string& Location() const { return _location; }
  // The server's own database, for tests that spoil the URL.
  const std::string& ServerUrl() const { return _server; }
  std::unique_ptr<QIVRepository> Open() const { return QIVRepository::Open(QIVRepositoryLocation(_location)); }

 private:
  std::filesystem::path _folder;
  std::string _server;
  std::string _database;
  std::string _location;
};

// A test run once per engine.
class RepositoryEngineTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    _scratch = std::make_unique<ScratchRepository>(GetParam());
    if (!_scratch->Available()) GTEST_SKIP() << "no PostgreSQL test server (BIWPLAN_TEST_POSTGRES)";
  }
  std::unique_ptr<ScratchRepository> _scratch;
};

#define BIWPLAN_INSTANTIATE_FOR_ENGINES(Suite)                                                  \
  INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::Values("SQLite", "PostgreSQL"),            \
                           [](const ::testing::TestParamInfo<std::string>& info) { return info.param; })
