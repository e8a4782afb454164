// Creation, showing and destruction of the game window. The creation order
// matters: the walls are built while reads outside the map count as free,
// the stores are loaded record first and autosave second, and only at the
// very end do reads outside the map start counting as wall.
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>

#include "engine/LevelMap.h"
#include "engine/TaskIdentity.h"
#include "engine/Visibility.h"
#include "framework/HelpWindow.h"
#include "framework/TaskStart.h"
#include "game/FieldScale.h"
#include "game/Glowmere.h"
#include "art/LevelResources.h"
#include "raster/Color32.h"
#include "raster/Polygon32.h"

TfrmGlowmere* frmGlowmere = nullptr;

namespace {
constexpr int32_t SystemWhite = 0x00FFFFFF;
constexpr int32_t SystemBlack = 0x00000000;

// Where a designer's solution files are loaded and saved: beside the map.
std::string MapFolder(const std::string& mapPath) { return std::filesystem::path(mapPath).parent_path().string(); }

// The client area that fits the screen beside the menu and the frame.
QSize ClientRoom(const QWidget& window, int menuHeight) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return {INT32_MAX, INT32_MAX};
  const QSize frame = window.frameGeometry().size() - window.geometry().size();
  const QSize area = screen->availableGeometry().size();
  return {area.width() - frame.width(), area.height() - frame.height() - menuHeight};
}
}  // namespace

TfrmGlowmere::TfrmGlowmere(const TLevelChoice& choice) : levelChoice_(choice) {
  frmGlowmere = this;
  LightHost = this;
  BuildComponents();
  LoadLevelLists(levelChoice_, imlMap2, imlPoints2);

  if (levelChoice_.Shipped()) {                                     // 1
    StartTask(GlowmereYear, GlowmereTaskName, GlowmereLevel);
  } else {
    StartTaskInMemory(GlowmereYear, GlowmereTaskName, GlowmereLevel, MapFolder(levelChoice_.mapPath));
  }
  imlMap = &imlMap2;                                                // 2
  imlPoints = &imlPointsShown;  // imlPoints2's icons, at the field's size
  mapBitmap = imlMap->BitmapAt(0);                                  // 3
  mapBitmap->SetOuterColor(SystemColorToColor32(SystemWhite));      // 4
  FieldWidth = mapBitmap->Width();                                  // 5
  FieldHeight = mapBitmap->Height();
  FitClientToField();                                               // 6
  BuildLayers();                                                    // 7
  hoverLight = nullptr;                                             // 8
  cursorLight = std::make_unique<TLight>();                         // 9
  cursorLight->SetVisible(false);
  cursorLight->SetIcon(imlPoints->BitmapAt(0));
  hoverX = -1;                                                      // 10
  hoverY = -1;
  dropBlocked = false;
  SetCellPixels(cellPixels);                                        // 11
  imlMap->BitmapAt(2)->SetDrawMode(dmBlend);                        // 12
  // The wall rectangles, the outlines and the floor, once: the level is
  // what the judge and the solver build from the same map.
  level = std::make_unique<TLevel>(*mapBitmap);                     // 13, 14
  wallRects = &level->WallRects();
  wallPolygons = &level->WallOutlines();
  DrawWalls(*wallPolygons);                                         // 15
  SetBitmapAlpha(*imlMap->BitmapAt(2), 255);                        // 16
  SetFieldSize(level->Width(), level->Height());                    // 17
  // 18: the free cells are the level's (level->FreeCells()).
  recordPoints = -1;                                                // 19
  savTree = GetAutosaveTree();                                      // 20
  recTree = GetRecordTree();
  localization = GetTaskLocalization();
  // The window needs all three; a store that could not be opened is
  // replaced by one that lives in memory only, so play goes on.
  if (!savTree) savTree = (fallbackSav_ = std::make_unique<TIniNameValueTree>("")).get();
  if (!recTree) recTree = (fallbackRec_ = std::make_unique<TIniNameValueTree>("")).get();
  if (!localization) localization = (fallbackLoc_ = std::make_unique<TNameValueTreeTuvLocalization>("")).get();
  ApplyCaptions();                                                  // 21
  LoadStore(*recTree, GetRecordTree(), recordAside_);     // 22
  LoadStore(*savTree, GetAutosaveTree(), autosaveAside_);  // 23
  history = TLightHistory(LightPoints());  // the run starts with nothing to undo
  UpdateState(true);                                                // 24
  mapBitmap->SetOuterColor(SystemColorToColor32(SystemBlack));      // 25
  // The keyboard cursor starts in the middle of the field, which has the
  // focus so that play can start with the keys at once.
  keyX = FieldWidth / 2;
  keyY = FieldHeight / 2;
  DescribeKeyboardCursor();
  imgField->setFocus();
}

TfrmGlowmere::~TfrmGlowmere() {
  // The field goes later, with the base class, and loses the focus on the
  // way: nothing may call back into this window then.
  imgField->OnMouseDown = imgField->OnMouseUp = nullptr;
  imgField->OnMouseMove = nullptr;
  imgField->OnMouseLeave = imgField->OnFocusLeave = nullptr;
  imgField->OnKeyDown = imgField->OnKeyUp = nullptr;
  imgField->OnCellPixels = nullptr;
  // A drawing of pictures under way is given up.
  fieldArt_.reset();
  // The framework's trees are gone by now; only our own objects are used.
  hoverLight = nullptr;
  dragLight = nullptr;
  newDragLight_.reset();
  // Switched off first: otherwise each destruction repaints all the lights
  // still to go, which takes minutes for a field full of lights.
  for (const auto& light : lights) light->Active = false;
  lights.Clear();
  cursorLight.reset();
  if (LightHost == this) LightHost = nullptr;
  if (frmGlowmere == this) frmGlowmere = nullptr;
}

void TfrmGlowmere::showEvent(QShowEvent* event) {
  TTuvForm::showEvent(event);
  HideSplash(this);
  if (firstShow_) {
    firstShow_ = false;
    if (QScreen* screen = this->screen()) {
      const QRect area = screen->availableGeometry();
      move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    // After the window is on screen, so the statement opens over it. A
    // level designer's preview skips it: it is the statement of the
    // shipped task, and its show-on-start choice lives in the settings
    // that the preview leaves alone. The menu still shows it.
    if (levelChoice_.Shipped()) QMetaObject::invokeMethod(this, [] { ShowStatement(false); }, Qt::QueuedConnection);
  }
}

void TfrmGlowmere::FitClientToField() {
  // The field's area: the design size; a designer's map larger than the
  // screen starts fitted to the screen instead, never below the least
  // device pixels a cell.
  const double ratio = devicePixelRatioF();
  const QSize design((FieldWidth + 2) * DesignCellPixels, (FieldHeight + 2) * DesignCellPixels);
  const QSize room = ClientRoom(*this, menuBar()->sizeHint().height()) - QSize(PanelWidth, 0);
  const QSize least(int(std::ceil((FieldWidth + 2) * MinCellPixels / ratio)),
                    int(std::ceil((FieldHeight + 2) * MinCellPixels / ratio)));
  const QSize field = (levelChoice_.Shipped() ? design : design.boundedTo(room)).expandedTo(least);
  const QSize client(field.width() + PanelWidth, std::max(field.height(), MinClientHeight));
  centralWidget()->setMinimumSize(client);
  centralWidget()->resize(client);
  resize(client.width(), client.height() + menuBar()->sizeHint().height());
  LayOutClient();
  // Drawn at the design size until the window is shown: the field then asks
  // for the size that its area on the screen holds (ScaleField). A window
  // never shown, the judge's, stays at the design size.
  cellPixels = DesignCellPixels;
  imgField->SetFieldSize(FieldWidth + 2, FieldHeight + 2, cellPixels);
  DrawIconsAtCellSize();
  UsePicturesAtCellSize();
}

void TfrmGlowmere::resizeEvent(QResizeEvent* event) {
  TTuvForm::resizeEvent(event);
  RememberWindowSize();
}

void TfrmGlowmere::changeEvent(QEvent* event) {
  TTuvForm::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RememberWindowSize();
}

// The size the window had when the game last ended, in the settings file
// beside the show-at-start choices: the window's size in logical pixels
// when not maximised, and whether it was. A designer's preview keeps its
// settings in memory, so it never changes the game's.
namespace {
const std::string WidthKey = "/window/width";
const std::string HeightKey = "/window/height";
const std::string MaximizedKey = "/window/maximized";
}  // namespace

void TfrmGlowmere::RememberWindowSize() {
  if (!SettingsTree || !isVisible() || isMinimized()) return;
  const bool maximized = isMaximized() || isFullScreen();
  SettingsTree->WriteBool(MaximizedKey, maximized);
  if (maximized) return;
  SettingsTree->WriteInteger(WidthKey, width());
  SettingsTree->WriteInteger(HeightKey, height());
}

void TfrmGlowmere::ShowAtLastSize() {
  bool maximized = false;
  if (SettingsTree) {
    // Never below the least size, never beyond the screen.
    QSize size(SettingsTree->ReadInteger(WidthKey, width()), SettingsTree->ReadInteger(HeightKey, height()));
    if (const QScreen* screen = this->screen()) size = size.boundedTo(screen->availableGeometry().size());
    resize(size.expandedTo(minimumSizeHint()).expandedTo(QSize(width(), height())));
    maximized = SettingsTree->ReadBool(MaximizedKey, false);
  }
  if (maximized) showMaximized();
  else show();
}
