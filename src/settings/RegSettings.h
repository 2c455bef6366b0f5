#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/ChoiceTable.h"

namespace warpix {

class ProfileStore;
class Random;
class Shell;

// Every user setting, loaded once at start-up and saved group by group by
// the settings pages, plus the weighted choice tables built from the
// frequency settings.
class RegSettings {
 public:
  static constexpr int kMessageCount = 9;
  static constexpr std::size_t kFoldersMaxChars = 65535;
  static constexpr std::size_t kWebSiteMaxChars = 4096;
  // Pauses are turned into milliseconds (× 1000); this keeps that product
  // inside a 32-bit millisecond count.
  static constexpr std::int32_t kMaxPauseSeconds = 2147483;

  static constexpr const char* kFallbackMessage0 = "Warpix";
  static constexpr const char* kDefaultMessage1 = "Photo Warpix Screensaver";
  static constexpr const char* kDefaultMessage2 = "https://tendrel.example/photo-warpix";
  static constexpr const char* kTraceSwitch = "trace";
  static constexpr const char* kBitmapName = "Warpix.bmp";

  // The settings pages, each of which saves its settings together; None for
  // a setting no page changes.
  enum class SaveGroup { None, General, Styles, Images, Web, Text, ImagePosition };

  // One number of the profile. Loading, saving, the report and the run-only
  // command-line options all work from the one table of these, so that a
  // key, its default and its range are written down once.
  struct Field {
    std::string_view key;
    SaveGroup group;
    std::int32_t fallback;
    std::int32_t lo;
    std::int32_t hi;
    std::string_view option;  // "do-image" for --do-image; empty: no option
    std::string_view help;    // what the option's line in --help says
    std::int32_t RegSettings::*number = nullptr;
    bool RegSettings::*flag = nullptr;  // set instead of `number` for a check box

    std::int32_t read(const RegSettings& settings) const;
    // A value outside lo .. hi is held to the nearer end.
    void write(RegSettings& settings, std::int32_t value) const;
  };
  // In the order the keys are loaded.
  static std::span<const Field> fields();
  // The field stored under `key`, or null.
  static const Field* findField(std::string_view key);

  // `turnTraceOn` is called when a loaded message is exactly "trace".
  RegSettings(ProfileStore& store, const Shell& shell, std::function<void()> turnTraceOn = {});

  // True when `version` is not the version that ran last; records it.
  static bool decideFirstRun(ProfileStore& store, std::string_view version);

  void load(bool firstRun);

  void saveGeneral();
  void saveStyles();
  void saveImages();
  void saveWeb();
  void saveText();
  void saveMessages();
  void saveImagePosition();

  // The kinds and distortion tables come from the operations, which know
  // their own kinds; texts and visiting orders are built here.
  void buildChoiceTables(std::vector<int> kindIds, std::vector<std::int32_t> kindWeights,
                         std::vector<std::int32_t> distortionWeights);
  const std::vector<int>& kindIds() const { return kindIds_; }
  const ChoiceTable& kinds() const { return kinds_; }
  const ChoiceTable& texts() const { return texts_; }
  const ChoiceTable& visitingOrders() const { return visitingOrders_; }
  const ChoiceTable& distortions() const { return distortions_; }
  // The integer weights the tables were built from, in table order.
  const std::vector<std::int32_t>& kindWeights() const { return kindWeights_; }
  const std::vector<std::int32_t>& textWeights() const { return textWeights_; }
  const std::vector<std::int32_t>& visitingOrderWeights() const { return visitingOrderWeights_; }
  const std::vector<std::int32_t>& distortionWeights() const { return distortionWeights_; }

  std::string randomMessage(Random& random) const;
  std::string randomWebSite(Random& random) const;
  bool hasMessages() const { return lastMessage_ >= 0; }
  bool hasWebSites() const { return !webSites_.empty(); }

  // The folder list as stored: every folder followed by "*".
  static std::string foldersText(const std::vector<std::string>& folders);
  static std::vector<std::string> parseFolders(std::string_view text);

  // One stored profile value, for showing the user what is in effect.
  struct Entry {
    std::string key;
    std::string value;
    std::string fallback;
    bool isText = false;
  };
  std::vector<Entry> entries() const;
  std::string defaultMessage(int index) const;
  std::string defaultBitmapFilename() const;

  const std::vector<std::string>& folders() const { return folders_; }
  void setFolders(std::vector<std::string> folders) { folders_ = std::move(folders); }
  const std::vector<std::string>& webSites() const { return webSites_; }
  void setWebSites(std::vector<std::string> sites) { webSites_ = std::move(sites); }

  bool blankScreen() const { return blankScreen_; }
  void setBlankScreen(bool on) { blankScreen_ = on; }
  std::int32_t blankMinutes() const { return blankMinutes_; }
  void setBlankMinutes(std::int32_t v) { blankMinutes_ = v; }
  std::int32_t doImage() const { return doImage_; }
  void setDoImage(std::int32_t v) { doImage_ = v; }
  std::int32_t doSurf() const { return doSurf_; }
  void setDoSurf(std::int32_t v) { doSurf_ = v; }
  std::int32_t doMangle() const { return doMangle_; }
  void setDoMangle(std::int32_t v) { doMangle_ = v; }
  std::int32_t doBlur() const { return doBlur_; }
  void setDoBlur(std::int32_t v) { doBlur_ = v; }
  std::int32_t doText() const { return doText_; }
  void setDoText(std::int32_t v) { doText_ = v; }
  std::int32_t doRepaint() const { return doRepaint_; }
  void setDoRepaint(std::int32_t v) { doRepaint_ = v; }
  std::int32_t useTransparency() const { return useTransparency_; }
  void setUseTransparency(std::int32_t v) { useTransparency_ = v; }
  std::int32_t delayBetweenDrawings() const { return delayBetweenDrawings_; }
  void setDelayBetweenDrawings(std::int32_t v) { delayBetweenDrawings_ = clampPause(v); }
  const std::string& installFolder() const { return installFolder_; }
  void setInstallFolder(std::string v) { installFolder_ = std::move(v); }
  bool saveBitmap() const { return saveBitmap_; }
  void setSaveBitmap(bool on) { saveBitmap_ = on; }
  const std::string& bitmapFilename() const { return bitmapFilename_; }
  void setBitmapFilename(std::string v) { bitmapFilename_ = std::move(v); }
  std::int32_t imageNext() const { return imageNext_; }
  void setImageNext(std::int32_t v) { imageNext_ = v; }
  std::int32_t imageOrder() const { return imageOrder_; }
  void setImageOrder(std::int32_t v) { imageOrder_ = v; }
  std::int32_t imagePause() const { return imagePause_; }
  void setImagePause(std::int32_t v) { imagePause_ = clampPause(v); }
  std::int32_t imagePeriod() const { return imagePeriod_; }
  void setImagePeriod(std::int32_t v) { imagePeriod_ = v; }
  std::int32_t webSitePeriod() const { return webSitePeriod_; }
  void setWebSitePeriod(std::int32_t v) { webSitePeriod_ = v; }
  std::int32_t webAccess() const { return webAccess_; }
  void setWebAccess(std::int32_t v) { webAccess_ = v; }
  std::int32_t textMessages() const { return textMessages_; }
  void setTextMessages(std::int32_t v) { textMessages_ = v; }
  std::int32_t textDateTime() const { return textDateTime_; }
  void setTextDateTime(std::int32_t v) { textDateTime_ = v; }
  std::int32_t styleFuzzy() const { return styleFuzzy_; }
  void setStyleFuzzy(std::int32_t v) { styleFuzzy_ = v; }
  std::int32_t styleSwirl() const { return styleSwirl_; }
  void setStyleSwirl(std::int32_t v) { styleSwirl_ = v; }
  std::int32_t styleWavy() const { return styleWavy_; }
  void setStyleWavy(std::int32_t v) { styleWavy_ = v; }
  std::int32_t styleDistort() const { return styleDistort_; }
  void setStyleDistort(std::int32_t v) { styleDistort_ = v; }
  std::int32_t styleFlipLR() const { return styleFlipLR_; }
  void setStyleFlipLR(std::int32_t v) { styleFlipLR_ = v; }
  std::int32_t styleFlipTB() const { return styleFlipTB_; }
  void setStyleFlipTB(std::int32_t v) { styleFlipTB_ = v; }

  // index 0 .. 8; other indexes read as empty and are not stored.
  std::string message(int index) const;
  void setMessage(int index, std::string text);
  int lastMessageIndex() const { return lastMessage_; }

 private:
  static std::int32_t clampPause(std::int32_t seconds);
  void saveFields(SaveGroup group);
  void loadFolders(bool firstRun);
  void loadWebSites();
  void loadMessages();
  void updateLastMessage();
  std::int32_t webSiteCount() const;

  ProfileStore& store_;
  const Shell& shell_;
  std::function<void()> turnTraceOn_;

  std::vector<std::string> folders_;
  std::vector<std::string> webSites_;
  // The numbers get their defaults from the table in the constructor.
  bool blankScreen_ = false;
  std::int32_t blankMinutes_ = 0;
  std::int32_t doImage_ = 0;
  std::int32_t doSurf_ = 0;
  std::int32_t doMangle_ = 0;
  std::int32_t doBlur_ = 0;
  std::int32_t doText_ = 0;
  std::int32_t doRepaint_ = 0;
  std::int32_t useTransparency_ = 0;
  std::int32_t delayBetweenDrawings_ = 0;
  std::string installFolder_;
  bool saveBitmap_ = false;
  std::string bitmapFilename_;
  std::int32_t imageNext_ = 0;
  std::int32_t imageOrder_ = 0;
  std::int32_t imagePause_ = 0;
  std::int32_t imagePeriod_ = 0;
  std::int32_t webSitePeriod_ = 0;
  std::int32_t webAccess_ = 0;
  std::int32_t textMessages_ = 0;
  std::int32_t textDateTime_ = 0;
  std::int32_t styleFuzzy_ = 0;
  std::int32_t styleSwirl_ = 0;
  std::int32_t styleWavy_ = 0;
  std::int32_t styleDistort_ = 0;
  std::int32_t styleFlipLR_ = 0;
  std::int32_t styleFlipTB_ = 0;
  std::vector<int> kindIds_;
  std::vector<std::int32_t> kindWeights_;
  std::vector<std::int32_t> textWeights_;
  std::vector<std::int32_t> visitingOrderWeights_;
  std::vector<std::int32_t> distortionWeights_;
  ChoiceTable kinds_;
  ChoiceTable texts_;
  ChoiceTable visitingOrders_;
  ChoiceTable distortions_;
  std::array<std::string, kMessageCount> messages_;
  int lastMessage_ = -1;
};

}  // namespace warpix
