#include "config/CConfigProp.h"

#include "config/CImagesPage.h"
#include "config/CInfoPage.h"
#include "config/CMessagesPage.h"
#include "config/CSettingsPage.h"
#include "config/CStylesPage.h"
#include "config/CTextPage.h"
#include "config/CWebPage.h"

namespace warpix {

CConfigProp::CConfigProp(const std::string& caption, RegSettings& settings, DialogServices& services, Info info)
    : Gtk::Dialog(caption, true), services_(services) {
  set_name("CConfigProp");
  pages_.push_back(std::make_unique<CSettingsPage>(settings, services));
  pages_.push_back(std::make_unique<CImagesPage>(settings, services));
  pages_.push_back(std::make_unique<CWebPage>(settings, services));
  pages_.push_back(std::make_unique<CStylesPage>(settings, services));
  pages_.push_back(std::make_unique<CTextPage>(settings, services));
  pages_.push_back(std::make_unique<CMessagesPage>(settings, services));
  pages_.push_back(std::make_unique<CInfoPage>(std::move(info.title), std::move(info.body), services));
  for (const std::unique_ptr<ConfigPage>& page : pages_) notebook_.append_page(*page, page->caption());
  pageSwitch_ = notebook_.signal_switch_page().connect(
      [this](Gtk::Widget*, guint index) { pages_.at(index)->showFirstTime(); });
  get_content_area()->pack_start(notebook_, Gtk::PACK_EXPAND_WIDGET);
  add_button("_Cancel", Gtk::RESPONSE_CANCEL)->set_name("cancel");
  Gtk::Button* ok = add_button("_OK", Gtk::RESPONSE_OK);
  ok->set_name("ok");
  set_default_response(Gtk::RESPONSE_OK);
  ok->grab_default();
  pages_.front()->showFirstTime();
  show_all_children();
}

CConfigProp::~CConfigProp() {
  // The notebook switches pages while the pages go.
  pageSwitch_.disconnect();
  for (const std::unique_ptr<ConfigPage>& page : pages_) page->close();
}

bool CConfigProp::run() {
  loop_ = Glib::MainLoop::create();
  show();
  present();
  if (!closed_) loop_->run();
  loop_.reset();
  return accepted_;
}

bool CConfigProp::acceptAll() {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    ConfigPage& page = *pages_[i];
    if (!page.filled()) continue;
    if (const std::optional<std::string> problem = page.problem()) {
      notebook_.set_current_page(static_cast<int>(i));
      page.focusProblem();
      if (services_.message) services_.message("Photo Warpix", *problem, DialogServices::Icon::Error);
      return false;
    }
  }
  for (const std::unique_ptr<ConfigPage>& page : pages_) page->close();
  for (const std::unique_ptr<ConfigPage>& page : pages_) {
    if (page->filled()) page->apply();
  }
  return true;
}

void CConfigProp::on_response(int response) {
  if (closed_) return;
  if (response == Gtk::RESPONSE_OK) {
    if (!acceptAll()) return;
    accepted_ = true;
  } else {
    for (const std::unique_ptr<ConfigPage>& page : pages_) page->close();
  }
  closed_ = true;
  hide();
  if (loop_) loop_->quit();
}

}  // namespace warpix
