#include <pthread.h>
#include <signal.h>

#include <filesystem>
#include <iostream>
#include <thread>

#include "BiwplanCli.h"
#include "BiwplanSample.h"
#include "BiwplanServer.h"
#include "BiwplanVerbs.h"

namespace fs = std::filesystem;

namespace {

int Serve(const std::string& path, const std::string& host, int port) {
  BiwplanSession session;
  // The server saves the document when the planner asks: it holds the lock.
  if (!BiwplanOpen(session, path, true)) return BiwplanExit::Failed;
  std::error_code failure;
  const fs::path folder = fs::absolute(fs::path(path), failure).parent_path();
  BiwplanServer server(session, {folder, fs::path(BiwplanSample::ExamplesDirectory())});
  std::string error;
  if (!server.Bind(host, port, error)) return BiwplanFail(error);

  // Interrupt and terminate stop the server from a thread of their own; the
  // HTTP threads, made after, inherit the blocked signals.
  sigset_t stopping;
  sigemptyset(&stopping);
  sigaddset(&stopping, SIGINT);
  sigaddset(&stopping, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
  std::thread watcher([&server, stopping] {
    int signal = 0;
    sigwait(&stopping, &signal);
    server.Stop();
  });

  std::cout << "biwplan serves " << path << " at\n  " << server.Url()
            << "\nOpen that address in a web browser; Save writes the document. Stop with Ctrl-C (what was not "
               "saved is left out of the file).\n"
            << std::flush;
  server.Run();
  pthread_kill(watcher.native_handle(), SIGTERM);
  watcher.join();
  return BiwplanExit::Ok;
}

}  // namespace

void AddServeVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand("serve", "Open the document in the planner's window, a page served to a web browser");
  auto path = std::make_shared<std::string>();
  auto host = std::make_shared<std::string>("127.0.0.1");
  auto port = std::make_shared<int>(8080);
  verb->add_option("DOC", *path, "Document file")->required();
  verb->add_option("--port", *port, "TCP port to listen on (0: any free port)")->check(CLI::Range(0, 65535));
  verb->add_option("--host", *host, "Address to listen on; another than 127.0.0.1 lets other machines in");
  verb->callback([&status, path, host, port] { status = Serve(*path, *host, *port); });
}
