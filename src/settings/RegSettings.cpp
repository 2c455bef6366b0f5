#include "settings/RegSettings.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "app/Random.h"
#include "platform/ProfileStore.h"
#include "platform/Shell.h"

namespace warpix {

namespace {

constexpr const char* kFoldersSection = "Warpix";
constexpr const char* kFoldersKey = "Folders";
constexpr const char* kCountSection = "WebSitesCount";
constexpr const char* kCountKey = "Count";
constexpr const char* kSitesSection = "WebSites";
constexpr const char* kSitePrefix = "Image";
constexpr const char* kLastRunVersionKey = "LastRunVersion";
constexpr std::size_t kCountMaxChars = 32;
constexpr std::size_t kMinOwnerNameChars = 6;

std::string messageKey(int index) { return "Message" + std::to_string(index); }
std::string siteKey(std::int64_t index) { return kSitePrefix + std::to_string(index); }

std::size_t utf8Length(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Leading decimal number as the list file's count is read: blanks, sign,
// digits; anything else, or a number beyond 32 bits, counts as 0.
std::int64_t leadingNumber(std::string_view text) {
  const auto start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return 0;
  text.remove_prefix(start);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  return error == std::errc() ? value : 0;
}

// The index of a key "Image<n>" written the way siteKey writes it, or -1.
std::int64_t siteIndex(std::string_view key) {
  const std::string_view prefix(kSitePrefix);
  if (key.substr(0, prefix.size()) != prefix) return -1;
  const std::string_view digits = key.substr(prefix.size());
  if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return -1;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return -1;
  return value;
}

}  // namespace

std::span<const RegSettings::Field> RegSettings::fields() {
  using G = SaveGroup;
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
  static constexpr Field kFields[] = {
      // The scene keeps ImageNext within the file count, which only it knows.
      {"ImageNext", G::ImagePosition, 0, kLowest, kHighest, {}, {}, &RegSettings::imageNext_},
      {"ImageOrder", G::Images, 0, 0, 1, {}, {}, &RegSettings::imageOrder_},
      {"ImagePause", G::Images, 0, 0, kMaxPauseSeconds, "image-pause", "seconds a photo is held",
       &RegSettings::imagePause_},
      {"ImagePeriod", G::Images, 30, 0, 300, "image-period", "least seconds between two photos",
       &RegSettings::imagePeriod_},
      {"WebSitePeriod", G::Web, 0, 0, 300, {}, {}, &RegSettings::webSitePeriod_},
      {"WebAccess", G::Web, 0, 0, 2, {}, {}, &RegSettings::webAccess_},
      {"TextMessages", G::Text, 40, 0, 100, {}, {}, &RegSettings::textMessages_},
      {"TextDateTime", G::Text, 80, 0, 100, {}, {}, &RegSettings::textDateTime_},
      {"BlankScreen", G::General, 0, 0, 1, {}, {}, nullptr, &RegSettings::blankScreen_},
      {"BlankMinutes", G::General, 60, 0, 999, {}, {}, &RegSettings::blankMinutes_},
      {"DelayBetweenDrawings", G::General, 0, 0, 60, "delay", "seconds between two drawings",
       &RegSettings::delayBetweenDrawings_},
      {"DoImage", G::General, 30, 0, 100, "do-image", "frequency of photos", &RegSettings::doImage_},
      {"DoSurf", G::General, 100, 0, 100, "do-surf", "frequency of web pictures", &RegSettings::doSurf_},
      {"DoMangle", G::General, 75, 0, 100, "do-mangle", "frequency of distortions", &RegSettings::doMangle_},
      {"DoBlur", G::General, 8, 0, 100, "do-blur", "frequency of blurring", &RegSettings::doBlur_},
      {"DoText", G::General, 30, 0, 100, "do-text", "frequency of text", &RegSettings::doText_},
      {"DoRepaint", G::General, 5, 0, 100, "do-repaint", "frequency of brush-stroke repainting",
       &RegSettings::doRepaint_},
      {"UseTransparency", G::General, 10, 0, 100, {}, {}, &RegSettings::useTransparency_},
      {"SaveBitmap", G::None, 0, 0, 1, {}, {}, nullptr, &RegSettings::saveBitmap_},
      {"StyleFuzzy", G::Styles, 5, 0, 100, {}, {}, &RegSettings::styleFuzzy_},
      {"StyleSwirl", G::Styles, 20, 0, 100, {}, {}, &RegSettings::styleSwirl_},
      {"StyleWavy", G::Styles, 80, 0, 100, {}, {}, &RegSettings::styleWavy_},
      {"StyleDistort", G::Styles, 80, 0, 100, {}, {}, &RegSettings::styleDistort_},
      {"StyleFlipLR", G::Styles, 1, 0, 100, {}, {}, &RegSettings::styleFlipLR_},
      {"StyleFlipTB", G::Styles, 1, 0, 100, {}, {}, &RegSettings::styleFlipTB_},
  };
  return kFields;
}

const RegSettings::Field* RegSettings::findField(std::string_view key) {
  for (const Field& field : fields()) {
    if (field.key == key) return &field;
  }
  return nullptr;
}

std::int32_t RegSettings::Field::read(const RegSettings& settings) const {
  if (number != nullptr) return settings.*number;
  return settings.*flag ? 1 : 0;
}

void RegSettings::Field::write(RegSettings& settings, std::int32_t value) const {
  // A switch is on for any value but 0, as it always was read.
  if (number != nullptr) settings.*number = std::clamp(value, lo, hi);
  else settings.*flag = value != 0;
}

RegSettings::RegSettings(ProfileStore& store, const Shell& shell, std::function<void()> turnTraceOn)
    : store_(store), shell_(shell), turnTraceOn_(std::move(turnTraceOn)) {
  for (const Field& field : fields()) field.write(*this, field.fallback);
  for (int i = 0; i < kMessageCount; ++i) messages_[static_cast<std::size_t>(i)] = defaultMessage(i);
  updateLastMessage();
}

bool RegSettings::decideFirstRun(ProfileStore& store, std::string_view version) {
  if (store.readText(kLastRunVersionKey, "") == version) return false;
  store.writeText(kLastRunVersionKey, version);
  return true;
}

std::int32_t RegSettings::clampPause(std::int32_t seconds) { return std::clamp(seconds, 0, kMaxPauseSeconds); }

void RegSettings::load(bool firstRun) {
  installFolder_ = store_.readText("InstallFolder", "");
  for (const Field& field : fields()) {
    field.write(*this, store_.readNumber(field.key, field.fallback));
    // Each list is read after the numbers of the page that saves it, and the
    // snapshot file after its switch.
    if (field.number == &RegSettings::imagePeriod_) loadFolders(firstRun);
    if (field.number == &RegSettings::webAccess_) loadWebSites();
    if (field.flag == &RegSettings::saveBitmap_) {
      bitmapFilename_ = store_.readText("BitmapFilename", "");
      if (bitmapFilename_.empty()) bitmapFilename_ = defaultBitmapFilename();
    }
  }
  loadMessages();
}

void RegSettings::loadFolders(bool firstRun) {
  folders_ = parseFolders(store_.readIni(kFoldersSection, kFoldersKey, kFoldersMaxChars));
  if (!folders_.empty() || !firstRun) return;
  std::string folder = shell_.picturesFolder();
  if (folder.empty()) {
    std::string documents = shell_.documentsFolder();
    while (documents.size() > 1 && documents.back() == '/') documents.pop_back();
    if (!documents.empty()) folder = documents + "/Pictures";
  }
  if (folder.empty()) return;
  folders_.push_back(folder);
  saveImages();
}

std::int32_t RegSettings::webSiteCount() const {
  const std::int64_t stored = leadingNumber(store_.readIni(kCountSection, kCountKey, kCountMaxChars));
  // Keys beyond the highest one present would all read empty; stopping there
  // gives the same list and keeps a count of two billion from stalling.
  std::int64_t highest = -1;
  for (const std::string& key : store_.iniKeys(kSitesSection)) highest = std::max(highest, siteIndex(key));
  return static_cast<std::int32_t>(std::max<std::int64_t>(0, std::min(stored, highest + 1)));
}

void RegSettings::loadWebSites() {
  webSites_.clear();
  const std::int32_t count = webSiteCount();
  for (std::int32_t i = 0; i < count; ++i) {
    std::string site = store_.readIni(kSitesSection, siteKey(i), kWebSiteMaxChars);
    if (!site.empty()) webSites_.push_back(std::move(site));
  }
}

void RegSettings::loadMessages() {
  lastMessage_ = -1;
  for (int i = 0; i < kMessageCount; ++i) {
    std::string text = store_.readText(messageKey(i), defaultMessage(i));
    if (text == kTraceSwitch && turnTraceOn_) turnTraceOn_();
    if (!text.empty()) lastMessage_ = i;
    messages_[static_cast<std::size_t>(i)] = std::move(text);
  }
}

void RegSettings::updateLastMessage() {
  lastMessage_ = -1;
  for (int i = 0; i < kMessageCount; ++i) {
    if (!messages_[static_cast<std::size_t>(i)].empty()) lastMessage_ = i;
  }
}

std::string RegSettings::defaultMessage(int index) const {
  switch (index) {
    case 0: {
      std::string owner = shell_.realName();
      return utf8Length(owner) >= kMinOwnerNameChars ? owner : kFallbackMessage0;
    }
    case 1:
      return kDefaultMessage1;
    case 2:
      return kDefaultMessage2;
    default:
      return {};
  }
}

std::string RegSettings::defaultBitmapFilename() const {
  // Never a bare name (it would land in whatever folder the saver was
  // started from) and never the root folder.
  std::string folder = installFolder_.empty() ? store_.folder() : installFolder_;
  if (folder.empty()) return kBitmapName;
  if (folder.back() != '/') folder += '/';
  return folder + kBitmapName;
}

std::string RegSettings::message(int index) const {
  if (index < 0 || index >= kMessageCount) return {};
  return messages_[static_cast<std::size_t>(index)];
}

void RegSettings::setMessage(int index, std::string text) {
  if (index < 0 || index >= kMessageCount) return;
  messages_[static_cast<std::size_t>(index)] = std::move(text);
  updateLastMessage();
}

std::string RegSettings::foldersText(const std::vector<std::string>& folders) {
  std::string text;
  for (const std::string& folder : folders) text += folder + '*';
  return text;
}

std::vector<std::string> RegSettings::parseFolders(std::string_view text) {
  std::vector<std::string> folders;
  std::size_t start = 0;
  for (std::size_t star = text.find('*'); star != std::string_view::npos; star = text.find('*', start)) {
    folders.emplace_back(text.substr(start, star - start));
    start = star + 1;
  }
  if (start < text.size()) folders.emplace_back(text.substr(start));
  return folders;
}

void RegSettings::saveFields(SaveGroup group) {
  for (const Field& field : fields()) {
    if (field.group == group) store_.writeNumber(field.key, field.read(*this));
  }
}

void RegSettings::saveGeneral() {
  const ProfileBatch batch(store_);
  saveFields(SaveGroup::General);
}

void RegSettings::saveStyles() {
  const ProfileBatch batch(store_);
  saveFields(SaveGroup::Styles);
}

void RegSettings::saveImages() {
  const ProfileBatch batch(store_);
  saveFields(SaveGroup::Images);
  store_.writeIni(kFoldersSection, kFoldersKey, foldersText(folders_));
}

void RegSettings::saveWeb() {
  const ProfileBatch batch(store_);
  saveFields(SaveGroup::Web);
  store_.deleteIniSection(kSitesSection);
  store_.writeIni(kCountSection, kCountKey, std::to_string(webSites_.size()));
  for (std::size_t i = 0; i < webSites_.size(); ++i) {
    store_.writeIni(kSitesSection, siteKey(static_cast<std::int64_t>(i)), webSites_[i]);
  }
}

void RegSettings::saveText() {
  const ProfileBatch batch(store_);
  saveFields(SaveGroup::Text);
}

void RegSettings::saveMessages() {
  std::array<std::string, kMessageCount> compacted;
  std::size_t used = 0;
  for (std::string& text : messages_) {
    if (!text.empty()) compacted[used++] = std::move(text);
  }
  messages_ = std::move(compacted);
  updateLastMessage();
  const ProfileBatch batch(store_);
  for (int i = 0; i < kMessageCount; ++i) store_.writeText(messageKey(i), messages_[static_cast<std::size_t>(i)]);
}

void RegSettings::saveImagePosition() { saveFields(SaveGroup::ImagePosition); }

void RegSettings::buildChoiceTables(std::vector<int> kindIds, std::vector<std::int32_t> kindWeights,
                                    std::vector<std::int32_t> distortionWeights) {
  kindIds_ = std::move(kindIds);
  kindWeights_ = std::move(kindWeights);
  kinds_.build(kindWeights_, true);
  textWeights_ = {choiceWeight(textDateTime_), hasMessages() ? choiceWeight(textMessages_) : 0};
  texts_.build(textWeights_, true);
  visitingOrderWeights_ = {40, 20, 40, 40, 100, 80};
  visitingOrders_.build(visitingOrderWeights_, true);
  distortionWeights_ = std::move(distortionWeights);
  distortions_.build(distortionWeights_, true);
}

std::string RegSettings::randomMessage(Random& random) const {
  if (lastMessage_ < 0) return {};
  // below() answers its bound itself on the rare draw of exactly 1.0; past
  // the ninth message that would read outside the record.
  const std::int32_t index = std::min(random.below(lastMessage_ + 1), kMessageCount - 1);
  return messages_[static_cast<std::size_t>(index)];
}

std::string RegSettings::randomWebSite(Random& random) const {
  if (webSites_.empty()) return {};
  const auto count = static_cast<std::int32_t>(std::min<std::size_t>(webSites_.size(), INT32_MAX));
  // The rare draw of exactly 1.0 gives `count`: take the last site then.
  const std::int32_t index = std::min(random.below(count), count - 1);
  return webSites_[static_cast<std::size_t>(index)];
}

std::vector<RegSettings::Entry> RegSettings::entries() const {
  std::vector<Entry> list;
  for (const Field& field : fields()) {
    list.push_back({std::string(field.key), std::to_string(field.read(*this)), std::to_string(field.fallback), false});
  }
  list.push_back({"InstallFolder", installFolder_, "", true});
  list.push_back({"BitmapFilename", bitmapFilename_, defaultBitmapFilename(), true});
  for (int i = 0; i < kMessageCount; ++i) list.push_back({messageKey(i), message(i), defaultMessage(i), true});
  return list;
}

}  // namespace warpix
