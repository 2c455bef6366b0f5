#include "config/CPreviewDialog.h"

#include <gdkmm/general.h>

#include "config/SurfacePixbuf.h"

namespace warpix {

CPreviewDialog::CPreviewDialog(Gtk::Window* parent, std::string folder)
    : Gtk::Dialog("Images", true),
      folder_(std::move(folder)),
      store_(Gtk::ListStore::create(columns_)),
      list_(store_),
      status_(PreviewPicture::kInitialStatus, Gtk::ALIGN_START) {
  if (parent != nullptr) set_transient_for(*parent);
  set_default_size(560, 380);
  list_.append_column("", columns_.name);
  list_.set_headers_visible(false);
  for (const std::string& name : PreviewPicture::files(folder_)) (*store_->append())[columns_.name] = name;
  scroll_.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
  scroll_.set_shadow_type(Gtk::SHADOW_IN);
  scroll_.set_size_request(180, -1);
  scroll_.add(list_);
  area_.set_hexpand(true);
  area_.set_vexpand(true);
  area_.signal_draw().connect(sigc::mem_fun(*this, &CPreviewDialog::draw));
  status_.set_name("previewStatus");
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 6);
  row->pack_start(scroll_, Gtk::PACK_SHRINK);
  row->pack_start(area_, Gtk::PACK_EXPAND_WIDGET);
  Gtk::Box* content = get_content_area();
  content->set_spacing(6);
  content->set_border_width(8);
  content->pack_start(*row, Gtk::PACK_EXPAND_WIDGET);
  content->pack_start(status_, Gtk::PACK_SHRINK);
  // Focus in the list would select its first file at once; the dialog
  // opens with nothing chosen.
  add_button("_Close", Gtk::RESPONSE_CLOSE)->grab_focus();
  list_.get_selection()->signal_changed().connect([this] {
    if (const Gtk::TreeModel::iterator row = list_.get_selection()->get_selected())
      select(static_cast<std::size_t>(store_->get_path(row)[0]));
  });
  show_all_children();
}

void CPreviewDialog::select(std::size_t index) {
  const Gtk::TreeModel::Children rows = store_->children();
  if (index >= rows.size()) return;
  const Glib::ustring name = (*std::next(rows.begin(), static_cast<std::ptrdiff_t>(index)))[columns_.name];
  picture_.load(folder_, name);
  status_.set_text(picture_.status());
  area_.queue_draw();
}

bool CPreviewDialog::draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  const std::optional<Surface> shown =
      picture_.scaledTo({area_.get_allocated_width(), area_.get_allocated_height()});
  if (!shown) return true;
  Gdk::Cairo::set_source_pixbuf(cr, surfacePixbuf(*shown), 0, 0);
  cr->paint();
  return true;
}

}  // namespace warpix
