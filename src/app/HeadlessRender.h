#pragma once

#include <iosfwd>
#include <string>

namespace warpix {

struct Program;

// Runs the scene on an in-memory screen exactly as the full-screen saver
// runs it, and writes DIR/NNNN.bmp after every finished operation. With
// the virtual clock the files depend only on the seed, the settings and the
// pictures.
class HeadlessRender {
 public:
  struct Options {
    std::string directory;
    int width = 1280;
    int height = 720;
    int monitors = 1;
    int operations = 20;
  };

  HeadlessRender(Program& program, Options options) : program_(program), options_(std::move(options)) {}

  // Returns the number of operations written; progress goes to `progress`.
  int run(std::ostream& progress);
  // Why run() stopped early, if it did.
  const std::string& problem() const { return problem_; }

  static std::string framePath(const std::string& directory, unsigned number);

 private:
  Program& program_;
  Options options_;
  std::string problem_;
};

}  // namespace warpix
