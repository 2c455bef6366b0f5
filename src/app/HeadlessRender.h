#pragma once

#include <iosfwd>
#include <string>
#include <utility>

namespace warpix {

struct Program;
class Surface;

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
  // True when the render did not do its job: nothing could be drawn, or a
  // picture could not be written (the run stops at the first such picture).
  // A blanked screen after some pictures is an early end, not a failure.
  bool failed() const { return failed_; }

  static std::string framePath(const std::string& directory, unsigned number);

 private:
  bool fail(std::string problem);
  bool writeFrame(const Surface& shot, const std::string& path);

  Program& program_;
  Options options_;
  std::string problem_;
  bool failed_ = false;
};

}  // namespace warpix
