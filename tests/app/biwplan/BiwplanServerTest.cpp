#include "BiwplanServer.h"

#include <httplib.h>

#include <stdexcept>
#include <thread>

#include "BiwplanSample.h"
#include "BiwplanVerbTest.h"
#include "BiwplanVerbs.h"
#include "QIVISPPActivityModificationEvents.h"

namespace {

using Json = nlohmann::ordered_json;

// A server on the sample document at a free port of 127.0.0.1, and a
// client with the token, as the page is.
class BiwplanServerTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    _original = DocumentText();
    _owner = std::make_unique<BiwplanSession>();
    ASSERT_TRUE(BiwplanOpen(*_owner, _path, true));
    _server = std::make_unique<BiwplanServer>(
        *_owner, std::vector<std::filesystem::path>{_folder, BiwplanSample::ExamplesDirectory()});
    std::string error;
    ASSERT_TRUE(_server->Bind("127.0.0.1", 0, error)) << error;
    _thread = std::thread([this] { _server->Run(); });
    _client = std::make_unique<httplib::Client>("127.0.0.1", _server->Port());
    _client->set_default_headers({{"X-Biwplan-Token", _server->Token()}});
  }
  void TearDown() override {
    Stop();
    BiwplanVerbTest::TearDown();
  }
  // Stops the server and closes the document, letting its lock go.
  void Stop() {
    if (_server) _server->Stop();
    if (_thread.joinable()) _thread.join();
    _server.reset();
    _owner.reset();
  }

  Json Post(const std::string& path, const Json& body) {
    const httplib::Result result = _client->Post(path, body.dump(), "application/json");
    EXPECT_TRUE(result) << path;
    return result ? Json::parse(result->body) : Json();
  }
  std::string NewTab() { return Post("/api/tabs", Json::object())["tab"].get<std::string>(); }
  Json Event(const std::string& tab, const std::string& verb, std::vector<std::string> arguments = {}) {
    return Post("/api/event", {{"tab", tab}, {"verb", verb}, {"args", arguments}});
  }

  std::unique_ptr<BiwplanSession> _owner;
  std::unique_ptr<BiwplanServer> _server;
  std::thread _thread;
  std::unique_ptr<httplib::Client> _client;
  std::string _original;
};

TEST_F(BiwplanServerTest, RefusesRequestsWithoutTheTokenAndServesThePageWithIt) {
  httplib::Client bare("127.0.0.1", _server->Port());
  EXPECT_EQ(bare.Get("/")->status, 403);
  EXPECT_EQ(bare.Get("/?token=0123")->status, 403);
  EXPECT_EQ(bare.Post("/api/tabs", "{}", "application/json")->status, 403);
  const httplib::Result page = bare.Get("/?token=" + _server->Token());
  ASSERT_EQ(page->status, 200);
  EXPECT_NE(page->body.find("<script type=\"module\""), std::string::npos);
  // The cookie lets the page load its modules, but changes need the header.
  const std::string cookie = page->get_header_value("Set-Cookie");
  const httplib::Headers withCookie{{"Cookie", cookie.substr(0, cookie.find(';'))}};
  EXPECT_EQ(bare.Get("/three.module.js", withCookie)->status, 200);
  EXPECT_EQ(bare.Post("/api/tabs", withCookie, "{}", "application/json")->status, 403);
  EXPECT_NE(_client->Get("/../doc.json")->status, 200);
  EXPECT_EQ(_server->Url(), "http://127.0.0.1:" + std::to_string(_server->Port()) + "/?token=" + _server->Token());
}

// The weld import through its dialog, a refused event, a save, and the
// downloaded journal replayed by `biwplan run` to the same bytes.
TEST_F(BiwplanServerTest, PlaysEventsInTheTabsSessionAndRecordsAJournalThatReplays) {
  const std::string tab = NewTab();
  const std::string welds = BiwplanSample::ExamplesDirectory() + "/underbody_welds.txt";
  Json answer = Event(tab, "start", {"ZELVekBIWReadWeldFromFileCmd"});
  ASSERT_TRUE(answer["ok"]) << answer["error"];
  ASSERT_EQ(answer["windows"].size(), 1u);
  EXPECT_EQ(answer["command"], "ZELVekBIWReadWeldFromFileCmd");
  EXPECT_EQ(Event(tab, "type", {"EditorTextPathId", welds})["ok"], true);
  EXPECT_EQ(Event(tab, "focusout", {"EditorTextPathId"})["ok"], true);
  answer = Event(tab, "press", {"OK"});
  ASSERT_TRUE(answer["ok"]) << answer["error"];
  EXPECT_TRUE(answer["windows"].empty());
  ASSERT_FALSE(answer["boxes"].empty());
  EXPECT_NE(answer["transcript"].dump().find("command ended ZELVekBIWReadWeldFromFileCmd"), std::string::npos);
  // A command that is over has the page read the model again, whole.
  EXPECT_EQ(answer["changes"], Json({{"records", Json::array()}, {"reload", true}}));
  EXPECT_EQ(answer["modelVersion"], 1);

  // Refused: nothing runs; not recorded, nothing changed.
  answer = Event(tab, "press", {"OK"});
  EXPECT_FALSE(answer["ok"]);
  EXPECT_FALSE(answer["error"].get<std::string>().empty());
  EXPECT_EQ(answer["modelVersion"], 1);
  EXPECT_FALSE(Event(tab, "save")["ok"]) << "the page saves through /api/save";
  EXPECT_EQ(Post("/api/event", {{"tab", tab}, {"verb", "file"}, {"args", {"/etc/passwd"}}})["ok"], false);
  EXPECT_EQ(Event("99", "cancel")["ok"], false);

  EXPECT_EQ(Post("/api/save", {{"tab", tab}})["ok"], true);
  const std::string saved = DocumentText();
  EXPECT_NE(saved, _original);
  const Json model = Json::parse(_client->Get("/api/model")->body);
  EXPECT_EQ(model["fasteners"].size(), 39u);

  const std::string journal = _client->Get("/api/journal?tab=" + tab)->body;
  EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 6) << journal;
  std::ofstream(_folder / "session.journal") << journal;
  Stop();
  std::ofstream(_path, std::ios::binary | std::ios::trunc) << _original;
  ASSERT_EQ(Run("run", {(_folder / "session.journal").string()}), BiwplanExit::Ok) << _err;
  EXPECT_EQ(DocumentText(), saved);
}

// A question box waits for the planner: the tab answers it with its
// buttons, other tabs wait, and the journal answers it before the event.
TEST_F(BiwplanServerTest, WaitsOnAQuestionBoxForThePlannersAnswer) {
  const std::string tab = NewTab(), other = NewTab();
  ASSERT_EQ(Event(tab, "start", {"QIVPropertyWindowCmd", "process:Process/UnderBody Line/Station 10 Front Floor"})["ok"],
            true);
  ASSERT_EQ(Event(tab, "type", {"ProductExitRateEditorName", "42"})["ok"], true);
  Json answer = Event(tab, "press", {"Close"});
  ASSERT_TRUE(answer.contains("question")) << answer.dump();
  EXPECT_EQ(answer["question"]["buttons"], Json::array({"OK", "Cancel"}));
  EXPECT_FALSE(answer.contains("changes"));
  EXPECT_EQ(Event(other, "cancel")["ok"], false) << "the document is halfway through a command";
  EXPECT_EQ(Post("/api/save", {{"tab", tab}})["ok"], false);
  EXPECT_EQ(Event(tab, "press", {"OK"})["ok"], false) << "only an answer is taken";
  EXPECT_EQ(Event(tab, "answer", {"Yes"})["ok"], false) << "Yes is no button of the box";

  answer = Event(tab, "answer", {"Cancel"});
  ASSERT_TRUE(answer["ok"]) << answer["error"];
  EXPECT_FALSE(answer.contains("question"));
  ASSERT_EQ(answer["windows"].size(), 1u) << "Cancel keeps the window open";
  EXPECT_EQ(answer["boxes"][0]["asked"], true);
  EXPECT_EQ(Event(tab, "press", {"OK"})["ok"], true);
  EXPECT_EQ(Post("/api/save", {{"tab", tab}})["ok"], true);
  const std::string saved = DocumentText();
  EXPECT_NE(saved, _original);

  const std::string journal = _client->Get("/api/journal?tab=" + tab)->body;
  EXPECT_NE(journal.find("answer Cancel\npress Close\n"), std::string::npos) << journal;
  std::ofstream(_folder / "session.journal") << journal;
  Stop();
  std::ofstream(_path, std::ios::binary | std::ios::trunc) << _original;
  ASSERT_EQ(Run("run", {(_folder / "session.journal").string()}), BiwplanExit::Ok) << _err;
  EXPECT_EQ(DocumentText(), saved);
}

// A command that fails in a tab: the page gets the error, the document is
// as it was, and the journal keeps the failed run as comments only.
TEST_F(BiwplanServerTest, AFailedCommandShowsItsErrorAndChangesNothing) {
  QIVISPPActivityModificationEvents_var events(BiwplanFindObject(*_owner, "process:Process"));
  ASSERT_TRUE(events);
  events->AddListener([](const QIVSPPActivityNotification&) { throw std::runtime_error("the process view broke"); });
  const std::string tab = NewTab();
  for (const auto& [verb, words] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"start", {"ZELVekBIWCreateStationActivityCmd"}},
           {"pick", {"process:Process/UnderBody Line"}},
           {"type", {"EditorActivityName", "Station 90"}}})
    ASSERT_EQ(Event(tab, verb, words)["ok"], true) << verb;
  const Json answer = Event(tab, "press", {"OK"});
  EXPECT_EQ(answer["ok"], false);
  EXPECT_EQ(answer["error"], "command failed ZELVekBIWCreateStationActivityCmd: the process view broke");
  EXPECT_EQ(answer["command"], "");
  EXPECT_EQ(answer["changes"]["reload"], true);
  EXPECT_EQ(Post("/api/save", {{"tab", tab}})["ok"], true);
  EXPECT_EQ(DocumentText(), _original);

  const std::string journal = _client->Get("/api/journal?tab=" + tab)->body;
  EXPECT_NE(journal.find("\n# start ZELVekBIWCreateStationActivityCmd\n"), std::string::npos) << journal;
  std::ofstream(_folder / "session.journal") << journal;
  Stop();
  ASSERT_EQ(Run("run", {(_folder / "session.journal").string()}), BiwplanExit::Ok) << _err;
  EXPECT_EQ(DocumentText(), _original);
}

// Tabs posting at once: every event is played, one at a time, each in its
// own session, and the document holds what all of them made.
TEST_F(BiwplanServerTest, SerialisesTheEventsOfConcurrentTabs) {
  constexpr int kTabs = 4, kActivities = 10;
  std::vector<std::thread> planners;
  std::atomic<int> played = 0;
  for (int planner = 0; planner < kTabs; ++planner)
    planners.emplace_back([&, planner] {
      httplib::Client client("127.0.0.1", _server->Port());
      client.set_default_headers({{"X-Biwplan-Token", _server->Token()}});
      const std::string tab = Json::parse(client.Post("/api/tabs", "{}", "application/json")->body)["tab"];
      for (int activity = 0; activity < kActivities; ++activity) {
        const std::string name = "Line " + std::to_string(planner) + "." + std::to_string(activity);
        for (const auto& [verb, words] : std::vector<std::pair<std::string, std::vector<std::string>>>{
                 {"start", {"ZELVekBIWCreateGroupingActivityCmd"}},
                 {"pick", {"process:Process"}},
                 {"type", {"EditorActivityName", name}},
                 {"press", {"OK"}}}) {
          const httplib::Result result = client.Post(
              "/api/event", Json{{"tab", tab}, {"verb", verb}, {"args", words}}.dump(), "application/json");
          if (result && Json::parse(result->body)["ok"] == true) ++played;
        }
      }
    });
  for (std::thread& planner : planners) planner.join();
  EXPECT_EQ(played, kTabs * kActivities * 4);
  const Json model = Json::parse(_client->Get("/api/model")->body);
  int lines = 0;
  for (const Json& activity : model["activities"]) lines += activity["path"].get<std::string>().rfind("Process/Line ", 0) == 0;
  EXPECT_EQ(lines, kTabs * kActivities);
  EXPECT_GE(model["version"].get<int>(), kTabs * kActivities);
}

}  // namespace
