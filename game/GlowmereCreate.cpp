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
#include <cstdint>
#include <filesystem>

#include "engine/LevelMap.h"
#include "engine/TaskIdentity.h"
#include "engine/Visibility.h"
#include "framework/HelpWindow.h"
#include "framework/TaskStart.h"
#include "game/Glowmere.h"
#include "game/LevelResources.h"
#include "raster/Color32.h"
#include "raster/Polygon32.h"

TfrmGlowmere* frmGlowmere = nullptr;

namespace {
constexpr int32_t PanelWidth = 178;
// The panel's captions and buttons need this much height, however low the
// field is.
constexpr int32_t MinClientHeight = 360;
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

TfrmGlowmere::TfrmGlowmere(const TLevelChoice& level) : level_(level) {
  frmGlowmere = this;
  LightHost = this;
  BuildComponents();
  LoadLevelLists(level_, imlMap2, imlPoints2);

  if (level_.Shipped()) {                                           // 1
    StartTask(GlowmereYear, GlowmereTaskName, GlowmereLevel);
  } else {
    StartTaskInMemory(GlowmereYear, GlowmereTaskName, GlowmereLevel, MapFolder(level_.mapPath));
  }
  imlMap = &imlMap2;                                                // 2
  imlPoints = &imlPoints2;
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
  fieldTransform.ScaleBy(10, 10);                                   // 11
  fieldTransform.TranslateBy(10, 10);
  litFiller.PatternBitmap = imlMap->BitmapAt(2);                    // 12
  litFiller.PatternBitmap->SetDrawMode(dmBlend);
  int32_t wallCount = 0;
  wallRects = BuildWallRects(*mapBitmap, wallCount);                // 13
  wallPolygons = TraceWallOutlines(*mapBitmap);                     // 14
  // Once, not at every press of the hint: the walls never change.
  floorPolygon = FloorPolygonOf(FieldWidth, FieldHeight, wallPolygons);
  for (const auto& wall : wallPolygons)                             // 15
    Polygon32(*wall).RenderPattern(layWalls->LayerBitmap(), litFiller, &fieldTransform);
  SetBitmapAlpha(*litFiller.PatternBitmap, 255);                    // 16
  SetFieldSize(FieldWidth, FieldHeight);                            // 17
  freeCells = FieldWidth * FieldHeight - wallCount;                 // 18
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
  LoadSolution(*recTree);                                           // 22
  LoadSolution(*savTree);                                           // 23
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
    if (level_.Shipped()) QMetaObject::invokeMethod(this, [] { ShowStatement(false); }, Qt::QueuedConnection);
  }
}

void TfrmGlowmere::FitClientToField() {
  const int32_t fieldW = (FieldWidth + 2) * 10;
  const int32_t fieldH = (FieldHeight + 2) * 10;
  imgField->SetFieldSize(fieldW, fieldH);
  imgField->move(0, 0);
  // A field larger than the screen (a designer's map of up to 200 x 200
  // cells is 2020 pixels a side) is shown 1:1 in a scrolled view, so every
  // grid point stays where the mouse expects it.
  const QSize room = ClientRoom(*this, menuBar()->sizeHint().height());
  int32_t viewW = fieldW, viewH = fieldH;
  if (fieldW + PanelWidth > room.width() || fieldH > room.height()) {
    if (!fieldScroll) {
      fieldScroll = new QScrollArea(centralWidget());
      fieldScroll->setFrameShape(QFrame::NoFrame);
      fieldScroll->setWidget(imgField);
      fieldScroll->show();
    }
    const int32_t bar = fieldScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    viewW = std::max(std::min(fieldW + bar, room.width() - PanelWidth), 100);
    viewH = std::max(std::min(fieldH + bar, room.height()), MinClientHeight);
    fieldScroll->setGeometry(0, 0, viewW, viewH);
  }
  const int32_t clientH = std::max(viewH, MinClientHeight);
  pnlControl->setGeometry(viewW, 0, PanelWidth, clientH);
  // The bottom buttons keep their distance from the panel's lower edge.
  constexpr int32_t designHeight = 481;
  btClear->move(16, 382 - designHeight + clientH);
  btLoad->move(16, 413 - designHeight + clientH);
  btSave->move(16, 444 - designHeight + clientH);
  centralWidget()->setFixedSize(viewW + PanelWidth, clientH);
  adjustSize();
  setFixedSize(sizeHint());
}
