// TfrmGlowmere: the game window and the whole game state. It owns the map
// and the walls built from it, the lights on the field, the layers of the
// field image, and the figures of the side panel; every change of the
// lights passes through UpdateState, which keeps the panel, the autosave
// tree and the record in step.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "engine/FieldScene.h"
#include "engine/Level.h"
#include "engine/LevelMap.h"
#include "engine/Light.h"
#include "engine/LightHost.h"
#include "engine/SolutionFormat.h"
#include "framework/IniNameValueTree.h"
#include "framework/Localization.h"
#include "framework/NameValueTree.h"
#include "framework/TuvForm.h"
#include "game/FieldArt.h"
#include "game/FieldImage.h"
#include "game/HintButton.h"
#include "art/LevelResources.h"
#include "game/LightHistory.h"
#include "geometry/Polygons.h"
#include "raster/Bitmap32.h"
#include "raster/Layers.h"
#include "raster/PolygonFiller.h"
#include "raster/Transformation.h"

class TfrmGlowmere : public TTuvForm, public TFieldScene {
  Q_OBJECT
 public:
  // FormCreate. On a level designer's map (choice.Shipped() false) the task
  // keeps its stores in memory only (StartTaskInMemory): the player's
  // record, autosave, settings and statistics are never read or written,
  // the file dialogs open in the map's folder, and the statement is not
  // shown at start.
  explicit TfrmGlowmere(const TLevelChoice& choice = {});
  ~TfrmGlowmere() override;  // FormDestroy: uses no framework object

  // Judge operations of the framework form.
  void CheckSolution(TNameValueTree& solution, TNameValueTree& result, std::string& message) override;
  int32_t CompareResults(TNameValueTree& a, TNameValueTree& b) override;

  // The window and the field's area at their first size (the design size,
  // or for a designer's map larger than the screen, the screen), and the
  // field's pixels per cell for it.
  void FitClientToField();
  // The field drawn anew at cell device pixels per cell: pictures, layers,
  // icons and lit regions, every light on its grid point, the outline or
  // the dark floor shown as before.
  void ScaleField(int32_t cell);
  // Whether the field's pictures are drawn at its size, not yet scaled from
  // another (they come from a worker a moment after a resize).
  bool FieldPicturesExact() const { return cellPixels == DesignCellPixels || pictures_.exact; }
  // Shows the window at the size it had when the game last ended (kept in
  // the settings), maximised if it was.
  void ShowAtLastSize();
  long double LitArea() const;
  void UpdateState(bool autosave);
  void WriteRecordCertificate();
  void StoreSolution(TNameValueTree& tree);
  void LoadSolution(TNameValueTree& tree);
  // LoadSolution of a store at the start. file: the store's file tree when
  // it has one (the same tree); a damaged file is kept aside, under the
  // name that keptAside gets, the player is told, and only its whole
  // lights come back (GlowmereStores.cpp).
  void LoadStore(TNameValueTree& tree, TIniNameValueTree* file, QString& keptAside);
  // Whether the autosave or the record file lacks what the window holds,
  // because its last write failed.
  bool StoresUnsaved() const;
  // LoadSolution from a file, which is read and never written back; false
  // when it cannot be read or holds no solution.
  bool LoadSolutionFile(const std::string& path);
  // Whether LoadSolution would take the tree's lights (a count is there and
  // is not larger than the number of grid points).
  bool HoldsSolution(TNameValueTree& tree) const;
  // What the tree's count says, against this field's number of grid points.
  TSolutionCount SolutionCountOf(TNameValueTree& tree) const;
  // The grid points of the lights, in list order.
  TLightPoints LightPoints() const;
  // The lights replaced by new ones at these points, painted once; the
  // figures and the stores are left as they were (the judge's pictures).
  void ReplaceLights(const TLightPoints& points);
  void ApplyCaptions();

  // Field interaction; X, Y are field pixels (device pixels of the field,
  // cellPixels a cell).
  void imgFieldMouseMove(int32_t x, int32_t y);
  void imgFieldMouseDown(TMouseButton button, int32_t x, int32_t y);
  void imgFieldMouseUp(TMouseButton button, int32_t x, int32_t y);
  void imgFieldMouseLeave();
  void ClearHover();
  void btHintMouseDown(TMouseButton button);
  void btHintMouseUp(TMouseButton button);
  // The same play on grid points, shared by the mouse and the keyboard.
  // Hover: shows what (gx, gy) holds (marker, red cross, a light with its
  // outline) and makes it the keyboard cursor; -1 for none. HoverGridPoint
  // does nothing when (gx, gy) is already the hover point.
  void HoverGridPoint(int32_t gx, int32_t gy);
  void ExamineGridPoint(int32_t gx, int32_t gy);
  // A drag: the hover light, or a new light, picked up with its icon at
  // (iconX, iconY) in field pixels; dropped on the hover point, or put back.
  void BeginDrag(int32_t iconX, int32_t iconY);
  void DropDragLight();
  void PutDragLightBack();
  void RemoveHoverLight();

  // The keyboard, on the focused field; true when the key was used.
  bool imgFieldKeyDown(int key, bool autoRepeat);
  bool imgFieldKeyUp(int key, bool autoRepeat);
  void imgFieldFocusLeave();
  void MoveKeyboardCursor(int32_t dx, int32_t dy);
  void UseKeyboardCursor();  // Space or Enter

  // Commands.
  void btClearClick();
  void btLoadClick();
  void btSaveClick();
  void btShowRecordClick();
  void Undo();
  void Redo();
  void N2Click() { btClearClick(); }
  void N4Click() { btLoadClick(); }
  void N5Click() { btSaveClick(); }
  void N7Click();
  void N8Click();
  void N9Click();
  void N11Click() { Undo(); }
  void N12Click() { Redo(); }

  // TLightHost, what the lights stand on; the field's layers, its filler
  // and its pixels per cell are the scene's.
  TLightList& Lights() override { return lights; }
  const TPolygonList& WallRects() override { return *wallRects; }

  bool IsWalledGridPoint(int32_t gx, int32_t gy) const;
  // The regions of the lights, in list order (null where one has none).
  std::vector<const TPolygon*> LightRegions() const { return RegionsOf(lights); }

  // The panel's width, whatever the window's; the client area's least
  // height, which the panel's captions and buttons need however low the
  // field is.
  static constexpr int32_t PanelWidth = 178;
  static constexpr int32_t MinClientHeight = 360;

  // Components, in the form's order.
  QWidget* pnlControl = nullptr;
  TImage32* imgField = nullptr;
  QMenu* N1 = nullptr;
  QAction *N2 = nullptr, *N3 = nullptr, *N4 = nullptr, *N5 = nullptr, *N6 = nullptr, *N7 = nullptr;
  QAction *N8 = nullptr, *N9 = nullptr;
  QMenu* N10 = nullptr;  // edit: N11 undo, N12 redo
  QAction *N11 = nullptr, *N12 = nullptr;
  QPushButton *btClear = nullptr, *btLoad = nullptr, *btSave = nullptr;
  THintButton* btHint = nullptr;
  QLabel *lbPressAndHold = nullptr, *lbPointsCaption = nullptr, *lbPoints = nullptr;
  QLabel *lbLightCaption = nullptr, *lbLight = nullptr, *lbRecordCaption = nullptr, *lbRecord = nullptr;
  QFrame *Separator1 = nullptr, *Separator2 = nullptr, *Separator3 = nullptr;
  QPushButton* btShowRecord = nullptr;
  // What the player must know of the stores: a write that failed, a
  // damaged file kept aside. Hidden while there is nothing to say.
  QLabel* lbStoreNotice = nullptr;
  TBitmap32List imlMap2;     // 0 map W x H, 1 unlit, 2 lit (10W + 20) x (10H + 20)
  TBitmap32List imlPoints2;  // the five light icons
  TBitmap32List imlPointsShown;  // the same at the field's size (imlPoints), redrawn in place

  // State, in declaration order; the base layers, the lit filler, the field
  // transformation and the pixels per cell are the scene's, on imgField's
  // stack.
  std::unique_ptr<TLight> cursorLight;  // never in lights
  TLightList lights;                     // owning, in order of adding
  TLight* hoverLight = nullptr;          // a member of lights, not owned
  TLight* dragLight = nullptr;           // a member of lights, or new and unplaced (owned then)
  int32_t hoverX = -1, hoverY = -1;
  bool dropBlocked = false;
  TBitmap32* mapBitmap = nullptr;  // image 0 of imlMap, not a copy
  // The level built from mapBitmap at creation: the walls, the floor, the
  // free cells and the rules that the judge and the solver apply too.
  std::unique_ptr<const TLevel> level;
  const TPolygonList* wallRects = nullptr;     // the level's, not owned
  const TPolygonList* wallPolygons = nullptr;  // the level's outlines, not owned
  long double litPercent = 0;
  int32_t pointsCount = 0;
  int32_t recordPoints = -1;
  TTuvLocalization* localization = nullptr;  // not owned
  TNameValueTree* savTree = nullptr;         // not owned
  TNameValueTree* recTree = nullptr;         // not owned
  TBitmap32List* imlMap = nullptr;
  TBitmap32List* imlPoints = nullptr;
  // The keyboard cursor, a grid point on the field; it follows the mouse.
  int32_t keyX = 0, keyY = 0;
  // The player's steps of this run (Commit in UpdateState).
  TLightHistory history;

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow
  // Asks first while a store is unsaved (not when the program is ended
  // from outside).
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildComponents();
  void BuildLayers();
  // The unlit picture at cellPixels: the level's own at the design size.
  const TBitmap32* UnlitPicture() const;
  // The pictures and icons at cellPixels (the level's own at the design size).
  void UsePicturesAtCellSize();
  void DrawIconsAtCellSize();
  // The field and the panel in the client area, the panel's bottom buttons
  // at their distance from its lower edge.
  void LayOutClient();
  void RememberWindowSize();
  void SetAccessibleNames();
  // The one place where field pixels become a grid point: both -1 off the field.
  void GridPointUnder(int32_t x, int32_t y, int32_t& gx, int32_t& gy) const;
  void ShowKeyboardCursor();
  void DescribeKeyboardCursor();
  void KeepDarkFloorShown();
  void ReleaseHintKey();
  // StoreSolution into savTree, and its file written when the lights differ
  // from what it got last (GlowmereStores.cpp).
  void AutosavePosition();
  // The lights into the record tree and its file, with the certificate.
  void SaveRecord();
  // The record file written again if its last write failed.
  void RetryUnsavedRecord();
  // unsaved follows the outcome of a store's write; the panel says so.
  void NoteStoreWrite(bool& unsaved, bool written);
  void ShowStoreNotice();
  void ClearLights();
  void DiscardNewDragLight();
  QString Text(const std::string& key) const;

  const TLevelChoice levelChoice_;
  std::unique_ptr<TLight> newDragLight_;  // dragLight while it is not in lights
  std::unique_ptr<TIniNameValueTree> fallbackSav_, fallbackRec_;
  std::unique_ptr<TNameValueTreeTuvLocalization> fallbackLoc_;
  std::unique_ptr<TFieldArt> fieldArt_;  // pictures at other sizes, made on first need
  TFieldArt::TPictures pictures_;        // those in use away from the design size
  bool firstShow_ = true;
  bool hintKeyHeld_ = false;
  TLightPoints autosaved_;  // the lights the autosave file got last from this run
  bool autosaveUnsaved_ = false;  // its last write failed
  bool recordUnsaved_ = false;    // the record file's last write failed
  // The names the damaged record and autosave files were kept under at
  // the start; empty when sound.
  QString recordAside_, autosaveAside_;
};

// The one main window while it exists.
extern TfrmGlowmere* frmGlowmere;

// The share in percent with two decimals and the locale's separator, "%".
QString FormatPercent(long double percent);
