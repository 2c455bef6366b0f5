#pragma once

#include <optional>

#include "config/CHorzListBox.h"
#include "config/ConfigPage.h"
#include "config/FolderSearch.h"
#include "config/ImagesRules.h"
#include "config/SliderGroup.h"

namespace warpix {

class RegSettings;

// The "Images" page: the folders the saver takes photos from, a search for
// folders with pictures, a preview of one folder, the display order and
// the minimum period between photos.
class CImagesPage final : public ConfigPage {
 public:
  static constexpr const char* kAddTitle = "Choose a folder containing your images:";
  static constexpr const char* kSearchTitle = "Choose a drive or folder to search under:";

  CImagesPage(RegSettings& settings, DialogServices& services);

  void apply() override;
  void close() override;
  bool searching() const { return search_.running(); }

 protected:
  void fill() override;

 private:
  void build();
  void connect();
  void add();
  void toggleSearch();
  void searchProgress();
  void endSearch();
  void preview();
  void showList();
  void setFolderButtons(bool enabled);
  void showStatus(const std::string& text);

  RegSettings& settings_;
  std::optional<ImagesRules> rules_;
  CHorzListBox list_;
  Gtk::Button add_{"_Add...", true};
  Gtk::Button remove_{"_Remove", true};
  Gtk::Button removeAll_{"R_emove All", true};
  Gtk::Button searchButton_{"_Search...", true};
  Gtk::Button images_{"_Images...", true};
  SliderGroup period_;
  Gtk::RadioButton random_{"Ra_ndom", true};
  Gtk::RadioButton alphabetical_{"A_lphabetically by folder", true};
  Gtk::Button startAtFirst_{"_Start at first image next run", true};
  Gtk::Label status_;
  bool showing_ = false;
  // The worker wakes the main loop through this; it outlives the search.
  Glib::Dispatcher wake_;
  FolderSearch search_;
};

}  // namespace warpix
