#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

extern char** environ;

namespace warpix::testing {

// tests/tools/web_server.py on 127.0.0.1 and a port it picks, for the
// life of this object. Without python3 it does not start; the test then
// skips with the reason.
class TestWebServer {
 public:
  TestWebServer() {
    // Requests to this server must not go through a proxy of the machine.
    ::setenv("no_proxy", "127.0.0.1", 1);
    ::setenv("NO_PROXY", "127.0.0.1", 1);
    if (std::system("command -v python3 >/dev/null 2>&1") != 0) {
      problem_ = "python3 is not installed";
      return;
    }
    int in[2], out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) {
      problem_ = "no pipes";
      return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string script = std::string(WARPIX_TEST_DIR) + "/tools/web_server.py";
    char* argv[] = {const_cast<char*>("python3"), const_cast<char*>(script.c_str()), nullptr};
    const int rc = posix_spawnp(&pid_, "python3", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    toServer_ = in[1];
    std::FILE* from = ::fdopen(out[0], "r");
    if (rc != 0 || from == nullptr) {
      problem_ = "python3 did not start";
      return;
    }
    if (std::fscanf(from, "PORT %d", &port_) != 1) problem_ = "the test web server did not start";
    std::fclose(from);
  }
  ~TestWebServer() {
    if (toServer_ >= 0) ::close(toServer_);  // the server ends when its input does
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  TestWebServer(const TestWebServer&) = delete;
  TestWebServer& operator=(const TestWebServer&) = delete;

  // Empty when the server runs.
  const std::string& problem() const { return problem_; }
  std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  std::string hostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  pid_t pid_ = -1;
  int toServer_ = -1;
  int port_ = 0;
  std::string problem_;
};

}  // namespace warpix::testing
