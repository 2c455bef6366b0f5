#include "config/CImagesPage.h"

#include "config/CPreviewDialog.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {

Gtk::Window* windowOf(Gtk::Widget& widget) { return dynamic_cast<Gtk::Window*>(widget.get_toplevel()); }

}  // namespace

CImagesPage::CImagesPage(RegSettings& settings, DialogServices& services)
    : ConfigPage("Images", services),
      settings_(settings),
      period_({&imagePeriodSlider(), 1}),
      search_([this] { wake_.emit(); }) {
  build();
  connect();
}

void CImagesPage::build() {
  auto* heading = Gtk::make_managed<Gtk::Label>("_Folders to search for images (JPEG, PNG, Bitmaps, WebP, HEIC and AVIF):",
                                                Gtk::ALIGN_START, Gtk::ALIGN_CENTER, true);
  heading->set_mnemonic_widget(list_.view());
  pack_start(*heading, Gtk::PACK_SHRINK);
  list_.set_name("folders");
  list_.set_tooltip_text("List of folders that Photo Warpix will search for images");
  list_.set_size_request(380, 120);
  add_.set_tooltip_text("Add a new folder to the list");
  remove_.set_tooltip_text("Remove the currently selected folder from the list");
  removeAll_.set_tooltip_text("Remove the all folders from the list");
  searchButton_.set_tooltip_text("Search your disk, or under a selected folder, for images");
  images_.set_tooltip_text("View the images in the selected folder.");
  auto* buttons = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 6);
  for (Gtk::Button* button : {&add_, &remove_, &removeAll_, &searchButton_, &images_})
    buttons->pack_start(*button, Gtk::PACK_SHRINK);
  auto* listRow = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 6);
  listRow->pack_start(list_, Gtk::PACK_EXPAND_WIDGET);
  listRow->pack_start(*buttons, Gtk::PACK_SHRINK);
  pack_start(*listRow, Gtk::PACK_EXPAND_WIDGET);

  random_.set_tooltip_text("Images will be selected for display in random order");
  alphabetical_.set_tooltip_text(
      "All images from the first folder will be displayed in alphabetical order, then the second alphabetical "
      "folder, and so on");
  alphabetical_.join_group(random_);
  startAtFirst_.set_tooltip_text(
      "The next time Photo Warpix is run, the images will start from the first. This just applies to the very "
      "next run.");
  auto* order = Gtk::make_managed<Gtk::Frame>("Display order");
  auto* orderBox = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 2);
  orderBox->set_border_width(6);
  orderBox->pack_start(random_, Gtk::PACK_SHRINK);
  orderBox->pack_start(alphabetical_, Gtk::PACK_SHRINK);
  order->add(*orderBox);
  auto* note = Gtk::make_managed<Gtk::Label>(
      "Images larger than the screen are shrunk to fit it.", Gtk::ALIGN_START);
  note->set_line_wrap(true);
  note->set_max_width_chars(40);
  auto* grid = Gtk::make_managed<Gtk::Grid>();
  grid->set_row_spacing(12);
  grid->set_column_spacing(24);
  grid->set_column_homogeneous(true);
  grid->attach(period_.row(0), 0, 0);
  grid->attach(*order, 1, 0);
  grid->attach(*note, 0, 1);
  grid->attach(startAtFirst_, 1, 1);
  pack_start(*grid, Gtk::PACK_SHRINK);

  status_.set_name("status");
  status_.set_halign(Gtk::ALIGN_START);
  status_.set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
  status_.set_no_show_all(true);
  pack_start(status_, Gtk::PACK_SHRINK);
  packButtonRow(true);

  add_.set_name("add");
  remove_.set_name("remove");
  removeAll_.set_name("removeAll");
  searchButton_.set_name("search");
  images_.set_name("images");
  random_.set_name("random");
  alphabetical_.set_name("alphabetical");
  startAtFirst_.set_name("startAtFirst");
}

void CImagesPage::connect() {
  list_.onSelect([this](std::optional<std::size_t> row) { rules_->list().select(row); });
  add_.signal_clicked().connect([this] { add(); });
  remove_.signal_clicked().connect([this] {
    rules_->removeSelected();
    showList();
  });
  removeAll_.signal_clicked().connect([this] {
    rules_->removeAll();
    showList();
  });
  searchButton_.signal_clicked().connect([this] { toggleSearch(); });
  images_.signal_clicked().connect([this] { preview(); });
  random_.signal_toggled().connect([this] {
    if (showing_ || !random_.get_active()) return;
    rules_->setOrder(0);
    startAtFirst_.set_sensitive(rules_->startAtFirstEnabled());
  });
  alphabetical_.signal_toggled().connect([this] {
    if (showing_ || !alphabetical_.get_active()) return;
    rules_->setOrder(1);
    startAtFirst_.set_sensitive(rules_->startAtFirstEnabled());
  });
  startAtFirst_.signal_clicked().connect([this] {
    if (services().message)
      services().message("Photo Warpix", ImagesRules::kStartAtFirstNote, DialogServices::Icon::Information);
    rules_->requestStartAtFirst();
  });
  resetButton().signal_clicked().connect([this] {
    rules_->period().reset();
    period_.refresh();
  });
  wake_.connect([this] { searchProgress(); });
}

void CImagesPage::fill() {
  rules_.emplace(settings_);
  period_.bind(rules_->period());
  showing_ = true;
  (rules_->order() == 0 ? random_ : alphabetical_).set_active(true);
  showing_ = false;
  startAtFirst_.set_sensitive(rules_->startAtFirstEnabled());
  showList();
}

void CImagesPage::showList() { list_.show(rules_->list()); }

void CImagesPage::showStatus(const std::string& text) {
  status_.set_text(text);
  status_.show();
}

void CImagesPage::setFolderButtons(bool enabled) {
  for (Gtk::Button* button : {&add_, &remove_, &removeAll_, &images_}) button->set_sensitive(enabled);
}

void CImagesPage::add() {
  if (!services().chooseFolder) return;
  const std::optional<std::string> folder = services().chooseFolder(kAddTitle);
  if (!folder) return;
  const ImagesRules::Added added = rules_->addFolder(*folder);
  showList();
  if (added == ImagesRules::Added::WithoutImages && services().message)
    services().message("Note", ImagesRules::kNoImagesNote, DialogServices::Icon::Information);
}

void CImagesPage::toggleSearch() {
  if (search_.running()) {
    search_.stop();
    endSearch();
    return;
  }
  if (!services().chooseFolder) return;
  const std::optional<std::string> root = services().chooseFolder(kSearchTitle);
  if (!root) return;
  searchButton_.set_label("Stop");
  setFolderButtons(false);
  showStatus(*root);
  search_.start(*root);
}

void CImagesPage::searchProgress() {
  if (search_.finished()) {
    rules_->addFound(search_.takeFound());
    showList();
    endSearch();
  } else if (search_.running()) {
    showStatus(search_.status());
  }
}

void CImagesPage::endSearch() {
  status_.hide();
  searchButton_.set_label("_Search...");
  setFolderButtons(true);
}

void CImagesPage::preview() {
  const std::optional<std::string> folder = rules_->list().selected();
  if (!folder) {
    showStatus("Please select a folder from the above list");
    return;
  }
  status_.hide();
  CPreviewDialog dialog(windowOf(*this), *folder);
  dialog.run();
}

void CImagesPage::close() {
  if (!rules_) return;
  // Folders a search found just before the dialog closed still count.
  if (search_.finished()) rules_->addFound(search_.takeFound());
  search_.stop();
}

void CImagesPage::apply() { rules_->ok(); }

}  // namespace warpix
