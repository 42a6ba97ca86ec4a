// The load check of `biwplan serve`: TABS browser tabs post EVENTS events
// each, all at once, to one server on 127.0.0.1, and the tool checks that
// no event was lost, the server did not fail and the saved document holds
// what every tab made; it prints the latency of an event (p50, p99, max)
// as the tabs saw it. It stops by itself once every tab is done.
//
//   serve_load BIWPLAN WORKDIR [--tabs 20] [--events 1000]
//
// Each tab creates groupings under the process root through the creation
// command and its dialog, four events each (start, pick, type the name,
// OK), so EVENTS is rounded down to a multiple of four.

#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {

int Fail(const std::string& message) {
  std::cerr << "serve_load: " << message << '\n';
  return 1;
}

// Starts `biwplan serve DOC --port 0` and reads the address it prints.
pid_t StartServer(const std::string& biwplan, const std::string& document, std::string& url) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    execl(biwplan.c_str(), biwplan.c_str(), "serve", document.c_str(), "--port", "0", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  FILE* out = fdopen(pipeEnds[0], "r");
  char line[4096];
  while (fgets(line, sizeof line, out)) {
    const std::string text = line;
    if (const std::size_t at = text.find("http://"); at != std::string::npos) {
      url = text.substr(at, text.find_last_not_of("\r\n") + 1 - at);
      break;
    }
  }
  // The rest of what it prints is not read: let it go to nowhere.
  std::thread([out] {
    char rest[4096];
    while (fgets(rest, sizeof rest, out)) {
    }
    fclose(out);
  }).detach();
  return child;
}

double Percentile(std::vector<double>& values, double fraction) {
  if (values.empty()) return 0;
  const std::size_t at = std::min(values.size() - 1, static_cast<std::size_t>(fraction * values.size()));
  std::nth_element(values.begin(), values.begin() + static_cast<long>(at), values.end());
  return values[at];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: serve_load BIWPLAN WORKDIR [--tabs 20] [--events 1000]");
  const std::string biwplan = argv[1];
  const fs::path work = argv[2];
  int tabs = 20, events = 1000;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--tabs") tabs = std::stoi(argv[i + 1]);
    else if (option == "--events") events = std::stoi(argv[i + 1]);
    else return Fail("unknown option " + option);
  }
  const int creations = events / 4;
  fs::create_directories(work);
  const std::string document = (work / "load.biwplan.json").string();
  if (std::system((biwplan + " new " + document + " --sample --force >/dev/null").c_str()) != 0)
    return Fail("cannot make the sample document");

  std::string url;
  const pid_t server = StartServer(biwplan, document, url);
  if (server < 0 || url.empty()) return Fail("the server printed no address");
  const std::size_t portAt = url.find(':', 7) + 1;
  const int port = std::stoi(url.substr(portAt));
  const std::string token = url.substr(url.find("token=") + 6);
  const httplib::Headers headers{{"X-Biwplan-Token", token}};

  std::vector<std::vector<double>> latencies(tabs);
  std::atomic<int> lost = 0;
  const Clock::time_point start = Clock::now();
  std::vector<std::thread> planners;
  for (int tab = 0; tab < tabs; ++tab)
    planners.emplace_back([&, tab] {
      httplib::Client client("127.0.0.1", port);
      client.set_default_headers(headers);
      client.set_read_timeout(120);
      client.set_connection_timeout(30);
      // One connection a tab, as a browser keeps it.
      client.set_keep_alive(true);
      client.set_tcp_nodelay(true);
      const httplib::Result opened = client.Post("/api/tabs", "{}", "application/json");
      if (!opened || opened->status != 200) {
        std::cerr << "serve_load: tab " << tab << " could not open: "
                  << (opened ? std::to_string(opened->status) : httplib::to_string(opened.error())) << '\n';
        lost += creations * 4;
        return;
      }
      const std::string id = Json::parse(opened->body)["tab"];
      for (int creation = 0; creation < creations; ++creation) {
        const std::string name = "Tab " + std::to_string(tab) + "." + std::to_string(creation);
        const std::vector<std::pair<std::string, std::vector<std::string>>> steps = {
            {"start", {"ZELVekBIWCreateGroupingActivityCmd"}},
            {"pick", {"process:Process"}},
            {"type", {"EditorActivityName", name}},
            {"press", {"OK"}}};
        for (const auto& [verb, words] : steps) {
          const Clock::time_point sent = Clock::now();
          const httplib::Result result =
              client.Post("/api/event", Json{{"tab", id}, {"verb", verb}, {"args", words}}.dump(), "application/json");
          latencies[tab].push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
          if (!result || result->status != 200 || Json::parse(result->body)["ok"] != true) ++lost;
        }
      }
    });
  for (std::thread& planner : planners) planner.join();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  httplib::Client client("127.0.0.1", port);
  client.set_default_headers(headers);
  client.set_read_timeout(120);
  const httplib::Result tab = client.Post("/api/tabs", "{}", "application/json");
  const bool saved = tab && client.Post("/api/save", Json{{"tab", Json::parse(tab->body)["tab"]}}.dump(),
                                        "application/json");
  kill(server, SIGTERM);
  int status = 0;
  waitpid(server, &status, 0);

  // The saved document, read again by the program: every grouping there.
  const std::string listing = (work / "activities.json").string();
  const bool listed =
      std::system((biwplan + " list " + document + " activities --format json > " + listing).c_str()) == 0;
  int made = 0;
  if (!listed) std::cerr << "serve_load: cannot list the saved document\n";
  if (listed) {
    std::ifstream in(listing);
    const Json activities = Json::parse(in);
    for (const Json& activity : activities["items"])
      made += activity["path"].get<std::string>().rfind("Process/Tab ", 0) == 0;
  }

  std::vector<double> all;
  for (const std::vector<double>& each : latencies) all.insert(all.end(), each.begin(), each.end());
  const std::size_t posted = all.size();
  const double p50 = Percentile(all, 0.50), p99 = Percentile(all, 0.99);
  const double slowest = all.empty() ? 0 : *std::max_element(all.begin(), all.end());
  std::printf("%d tabs x %d events: %zu posted in %.1f s (%.0f events/s), %d lost\n", tabs, creations * 4, posted,
              seconds, posted / seconds, lost.load());
  std::printf("event latency: p50 %.2f ms, p99 %.2f ms, max %.2f ms\n", p50, p99, slowest);
  std::printf("server %s; document saved %s with %d of %d groupings\n",
              WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "stopped cleanly" : "FAILED", saved ? "yes" : "NO",
              made, tabs * creations);
  const bool good = lost == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 && saved && made == tabs * creations;
  return good ? 0 : 1;
}
