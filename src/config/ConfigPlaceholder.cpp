// The settings dialog's pages are added here.
namespace warpix {}
