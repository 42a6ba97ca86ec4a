#include "BiwplanServer.h"

#include <sys/random.h>

#include <algorithm>
#include <cstdio>

#include "BiwplanRecords.h"
#include "BiwplanServeAssets.h"
#include "QIVSharedLibrary.h"
#include "frame/ZELVekBIWCommandsModule.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTokenHeader = "X-Biwplan-Token";
constexpr const char* kTokenCookie = "biwplan_token";
constexpr const char* kJsonType = "application/json";
constexpr const char* kHttpModule = "libbiwplan_http.so";

// 128 bits from the kernel's random source, as hexadecimal.
std::string RandomToken() {
  unsigned char bytes[16];
  std::size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t read = getrandom(bytes + got, sizeof bytes - got, 0);
    if (read > 0) got += static_cast<std::size_t>(read);
  }
  std::string token;
  for (unsigned char byte : bytes) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", byte);
    token += hex;
  }
  return token;
}

// Compares without stopping at the first difference, so the time taken
// tells nothing of the token.
bool SameToken(const std::string& given, const std::string& token) {
  if (given.size() != token.size()) return false;
  unsigned char difference = 0;
  for (std::size_t i = 0; i < token.size(); ++i) difference |= static_cast<unsigned char>(given[i] ^ token[i]);
  return difference == 0;
}

std::string CookieValue(const std::string& cookies, const std::string& name) {
  const std::string key = name + "=";
  for (std::size_t start = 0; start < cookies.size();) {
    std::size_t end = cookies.find(';', start);
    if (end == std::string::npos) end = cookies.size();
    std::size_t first = cookies.find_first_not_of(' ', start);
    if (first != std::string::npos && cookies.compare(first, key.size(), key) == 0)
      return cookies.substr(first + key.size(), end - first - key.size());
    start = end + 1;
  }
  return std::string();
}

void Answer(BiwplanHttpResponse& response, int status, const nlohmann::ordered_json& body) {
  response.SetStatus(status);
  const std::string text = body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  response.SetContent(text.data(), text.size(), kJsonType);
}

void Refuse(BiwplanHttpResponse& response, int status, const std::string& reason) {
  Answer(response, status, {{"ok", false}, {"error", reason}});
}

}  // namespace

BiwplanServer::BiwplanServer(BiwplanSession& owner, std::vector<fs::path> folders)
    : _owner(owner), _folders(std::move(folders)), _token(RandomToken()) {
  for (fs::path& folder : _folders) {
    std::error_code failure;
    const fs::path canonical = fs::weakly_canonical(folder, failure);
    if (!failure) folder = canonical;
  }
}

BiwplanServer::~BiwplanServer() {
  Stop();
  std::lock_guard<std::mutex> lock(_mutex);
  _tabs.clear();
}

bool BiwplanServer::Bind(const std::string& host, int port, std::string& error) {
  if (!_server) {
    try {
      _module = std::make_unique<QIVSharedLibrary>(QIVSharedLibrary::BesideProgram(kHttpModule));
      const auto create = _module->Function<decltype(&BiwplanNewHttpServer)>(kBiwplanHttpServerFactory);
      BiwplanHttpServer::Settings settings;
      // A browser keeps a few connections open per tab; each holds a thread
      // while it waits for its next request.
      settings.threads = kThreads;
      settings.maxBodyBytes = std::size_t{4} << 20;
      // A tab posts its events on one connection, not a new one every five.
      settings.requestsPerConnection = 1000;
      _server.reset(create(settings));
    } catch (const QIVSharedLibrary::Error& failure) {
      error = failure.what();
      return false;
    }
    Route();
  }
  _host = host;
  _port = _server->Bind(host, port);
  if (_port > 0) return true;
  error = "cannot listen on " + host + ":" + std::to_string(port);
  return false;
}

void BiwplanServer::Run() {
  if (_server) _server->Run();
}

void BiwplanServer::Stop() {
  if (_server) _server->Stop();
}

std::string BiwplanServer::Url() const {
  const bool v6 = _host.find(':') != std::string::npos;
  return "http://" + (v6 ? "[" + _host + "]" : _host) + ":" + std::to_string(_port) + "/?token=" + _token;
}

bool BiwplanServer::Allowed(const BiwplanHttpRequest& request, bool changes) const {
  if (SameToken(request.Header(kTokenHeader), _token)) return true;
  if (changes) return false;
  return SameToken(request.Parameter("token"), _token) ||
         SameToken(CookieValue(request.Header("Cookie"), kTokenCookie), _token);
}

void BiwplanServer::Route() {
  _server->SetGuard([this](const BiwplanHttpRequest& request, BiwplanHttpResponse& response) {
    response.SetHeader("X-Content-Type-Options", "nosniff");
    response.SetHeader("Cache-Control", "no-store");
    if (Allowed(request, request.Method() != "GET" && request.Method() != "HEAD")) return false;
    Refuse(response, 403, "this address needs the access token biwplan serve printed");
    return true;
  });

  _server->Get("/api/model", [this](const BiwplanHttpRequest&, BiwplanHttpResponse& response) {
    std::lock_guard<std::mutex> lock(_mutex);
    Answer(response, 200, Model());
  });

  _server->Get("/api/commands", [](const BiwplanHttpRequest&, BiwplanHttpResponse& response) {
    Json commands = Json::array();
    for (const ZELVekBIWCommandEntry& entry : ZELVekBIWCommandsModule::Entries()) {
      const char* argument = !entry.factoryWithArgument                     ? "none"
                             : entry.argument == QIVFactoryArgument::Object ? "object"
                                                                            : "text";
      commands.push_back({{"className", entry.className}, {"argument", argument}});
    }
    Answer(response, 200, commands);
  });

  _server->Get("/api/files", [this](const BiwplanHttpRequest&, BiwplanHttpResponse& response) {
    Answer(response, 200, Files());
  });

  _server->Get("/api/journal", [this](const BiwplanHttpRequest& request, BiwplanHttpResponse& response) {
    std::lock_guard<std::mutex> lock(_mutex);
    BiwplanTab* tab = FindTab(request.Parameter("tab"), response);
    if (!tab) return;
    const std::string journal = tab->Journal();
    response.SetContent(journal.data(), journal.size(), "text/plain; charset=utf-8");
    response.SetHeader("Content-Disposition", "attachment; filename=\"session.journal\"");
  });

  _server->Post("/api/tabs", [this](const BiwplanHttpRequest&, BiwplanHttpResponse& response) {
    std::lock_guard<std::mutex> lock(_mutex);
    if (_tabs.size() >= kMaxTabs) return Refuse(response, 503, "too many tabs are open on this document");
    const std::string id = std::to_string(_nextTab++);
    auto tab = std::make_unique<BiwplanTab>(_owner);
    Json answer = tab->State();
    _tabs.emplace(id, std::move(tab));
    answer["tab"] = id;
    answer["ok"] = true;
    answer["document"] = _owner.Path();
    answer["modelVersion"] = _modelVersion;
    Answer(response, 200, answer);
  });

  _server->Post("/api/event", [this](const BiwplanHttpRequest& request, BiwplanHttpResponse& response) {
    const Json body = Json::parse(request.Body(), nullptr, false);
    if (!body.is_object() || !body.contains("verb") || !body["verb"].is_string())
      return Refuse(response, 400, "an event is {\"tab\", \"verb\", \"args\"}");
    std::vector<std::string> arguments;
    if (body.contains("args")) {
      if (!body["args"].is_array()) return Refuse(response, 400, "args is a list of words");
      for (const Json& word : body["args"]) {
        if (!word.is_string()) return Refuse(response, 400, "args is a list of words");
        arguments.push_back(word.get<std::string>());
      }
    }
    const std::string verb = body["verb"].get<std::string>();
    if (verb == "file" && !arguments.empty() && arguments[0] != "cancel" && !InFolders(arguments[0]))
      return Refuse(response, 403, "files are chosen in the document's folder and the examples only");
    std::lock_guard<std::mutex> lock(_mutex);
    BiwplanTab* tab = FindTab(body, response);
    if (!tab || Busy(tab, response)) return;
    Json answer = tab->Play(verb, arguments);
    _asking = tab->Asking() ? tab : nullptr;
    if (tab->Changed()) ++_modelVersion;
    answer["modelVersion"] = _modelVersion;
    Answer(response, 200, answer);
  });

  _server->Post("/api/save", [this](const BiwplanHttpRequest& request, BiwplanHttpResponse& response) {
    const Json body = Json::parse(request.Body(), nullptr, false);
    std::lock_guard<std::mutex> lock(_mutex);
    BiwplanTab* tab = FindTab(body, response);
    if (!tab || Busy(nullptr, response)) return;
    std::string error;
    if (!_owner.Save(std::string(), error)) return Refuse(response, 200, error);
    tab->RecordSave();
    Answer(response, 200, {{"ok", true}, {"saved", _owner.Path()}});
  });

  _server->Post("/api/close", [this](const BiwplanHttpRequest& request, BiwplanHttpResponse& response) {
    const Json body = Json::parse(request.Body(), nullptr, false);
    std::lock_guard<std::mutex> lock(_mutex);
    BiwplanTab* tab = FindTab(body, response);
    if (!tab) return;
    if (tab == _asking) _asking = nullptr;
    _tabs.erase(body["tab"].get<std::string>());
    Answer(response, 200, {{"ok", true}});
  });
  // Last: the API's own paths match the assets' pattern too.
  _server->Get(
      R"(/[A-Za-z0-9._/-]*)", [this](const BiwplanHttpRequest& request, BiwplanHttpResponse& response) {
        const std::string path = request.Path() == "/" ? "/index.html" : request.Path();
        for (const BiwplanServeAsset& asset : BiwplanServeAssets()) {
          if (asset.path != path) continue;
          response.SetContent(asset.bytes.data(), asset.bytes.size(),
                              std::string(asset.type) + "; charset=utf-8");
          // The page's own requests then carry the token without it in their
          // address; Strict keeps other sites' requests from sending it.
          response.SetHeader(
              "Set-Cookie", std::string(kTokenCookie) + "=" + _token + "; Path=/; HttpOnly; SameSite=Strict");
          return;
        }
        if (request.Path().rfind("/api/", 0) != 0) Refuse(response, 404, "no such page: " + request.Path());
      });
}

BiwplanTab* BiwplanServer::FindTab(const Json& body, BiwplanHttpResponse& response) {
  if (!body.is_object() || !body.contains("tab") || !body["tab"].is_string()) {
    Refuse(response, 400, "the request names no tab");
    return nullptr;
  }
  return FindTab(body["tab"].get<std::string>(), response);
}

BiwplanTab* BiwplanServer::FindTab(const std::string& id, BiwplanHttpResponse& response) {
  auto found = _tabs.find(id);
  if (found != _tabs.end()) return found->second.get();
  Refuse(response, 404, "no tab " + id + " (the server may have been restarted: reload the page)");
  return nullptr;
}

bool BiwplanServer::Busy(const BiwplanTab* tab, BiwplanHttpResponse& response) {
  if (!_asking || _asking == tab) return false;
  Refuse(response, 409, "a command waits for the answer to a box in another tab; answer it first");
  return true;
}

BiwplanServer::Json BiwplanServer::Model() const {
  QIVSession::Scope scope(_owner.Session());
  BiwplanRecords records(_owner.Document());
  Json model = {{"document", _owner.Path()}, {"version", _modelVersion}};
  for (BiwplanRecords::Kind kind : BiwplanRecords::kKinds) {
    Json items = Json::array();
    records.ForEach(kind, [&items](const Json& record) { items.push_back(record); });
    model[BiwplanRecords::KindWord(kind)] = std::move(items);
  }
  return model;
}

BiwplanServer::Json BiwplanServer::Files() const {
  Json folders = Json::array();
  for (const fs::path& folder : _folders) {
    Json files = Json::array();
    std::error_code failure;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, failure))
      if (entry.is_regular_file(failure) && entry.path().filename().string().front() != '.')
        files.push_back({{"name", entry.path().filename().string()}, {"path", entry.path().string()}});
    std::sort(files.begin(), files.end(),
              [](const Json& a, const Json& b) { return a["name"].get<std::string>() < b["name"].get<std::string>(); });
    folders.push_back({{"folder", folder.string()}, {"files", std::move(files)}});
  }
  return folders;
}

bool BiwplanServer::InFolders(const std::string& path) const {
  std::error_code failure;
  const fs::path file = fs::weakly_canonical(fs::path(path), failure);
  if (failure) return false;
  for (const fs::path& folder : _folders)
    if (file.parent_path() == folder) return true;
  return false;
}
