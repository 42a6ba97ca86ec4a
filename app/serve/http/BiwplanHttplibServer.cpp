#include <httplib.h>
#include <sys/socket.h>

#include "BiwplanHttpServer.h"

// The module of `biwplan serve`'s HTTP server: BiwplanHttpServer on
// cpp-httplib. Requests and responses are handed to the program's handlers
// as views of the library's own objects, not copies.

namespace {

class Request final : public BiwplanHttpRequest {
 public:
  explicit Request(const httplib::Request& request) : _request(request) {}
  const std::string& Method() const override { return _request.method; }
  const std::string& Path() const override { return _request.path; }
  const std::string& Body() const override { return _request.body; }
  std::string Header(const std::string& name) const override { return _request.get_header_value(name); }
  std::string Parameter(const std::string& name) const override { return _request.get_param_value(name); }

 private:
  const httplib::Request& _request;
};

class Response final : public BiwplanHttpResponse {
 public:
  explicit Response(httplib::Response& response) : _response(response) {}
  void SetStatus(int status) override { _response.status = status; }
  void SetContent(const char* bytes, std::size_t size, const std::string& type) override {
    _response.set_content(bytes, size, type);
  }
  void SetHeader(const std::string& name, const std::string& value) override {
    _response.set_header(name, value);
  }

 private:
  httplib::Response& _response;
};

httplib::Server::Handler Adapted(BiwplanHttpServer::Handler handler) {
  return [handler = std::move(handler)](const httplib::Request& request, httplib::Response& response) {
    Response answer(response);
    handler(Request(request), answer);
  };
}

class BiwplanHttplibServer final : public BiwplanHttpServer {
 public:
  explicit BiwplanHttplibServer(const Settings& settings) {
    _server.set_payload_max_length(settings.maxBodyBytes);
    _server.new_task_queue = [threads = settings.threads] { return new httplib::ThreadPool(threads); };
    _server.set_keep_alive_max_count(settings.requestsPerConnection);
    // Answers go out at once, not held back for the client's acknowledgement.
    _server.set_tcp_nodelay(true);
  }

  void SetGuard(Guard guard) override {
    _server.set_pre_routing_handler(
        [guard = std::move(guard)](const httplib::Request& request, httplib::Response& response) {
          Response answer(response);
          return guard(Request(request), answer) ? httplib::Server::HandlerResponse::Handled
                                                 : httplib::Server::HandlerResponse::Unhandled;
        });
  }
  void Get(const std::string& pattern, Handler handler) override {
    _server.Get(pattern, Adapted(std::move(handler)));
  }
  void Post(const std::string& pattern, Handler handler) override {
    _server.Post(pattern, Adapted(std::move(handler)));
  }

  int Bind(const std::string& host, int port) override {
    // The library listens with a queue of 5 connections; tabs that connect
    // at once beyond it would be dropped by the kernel. Its listening
    // socket is the one the options hook sees while binding: listen again,
    // longer.
    int listening = -1;
    _server.set_socket_options([&listening](socket_t socket) {
      httplib::default_socket_options(socket);
      listening = socket;
    });
    int bound = -1;
    if (port == 0)
      bound = _server.bind_to_any_port(host);
    else if (_server.bind_to_port(host, port))
      bound = port;
    _server.set_socket_options(httplib::default_socket_options);
    if (bound > 0 && listening >= 0) ::listen(listening, SOMAXCONN);
    return bound > 0 ? bound : -1;
  }
  void Run() override { _server.listen_after_bind(); }
  void Stop() override { _server.stop(); }

 private:
  httplib::Server _server;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) BiwplanHttpServer* BiwplanNewHttpServer(
    const BiwplanHttpServer::Settings& settings) {
  return new BiwplanHttplibServer(settings);
}
