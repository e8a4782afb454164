// Play on the real window: adding, refusing, moving, removing lights, the
// icons shown, the lit layer and the dark remainder.
#include "GameFixture.h"
#include "badinput_support.h"

namespace {

constexpr TColor32 Transparent = 0;

// Every pixel of the lit layer is transparent.
bool LitLayerEmpty(TfrmGlowmere& w) {
  const TBitmap32& b = w.layLit->LayerBitmap();
  for (int i = 0; i < b.Width() * b.Height(); ++i)
    if (b.Bits()[i] != Transparent) return false;
  return true;
}

bool OverlayEmpty(TfrmGlowmere& w) {
  const TBitmap32& b = w.layOverlay->LayerBitmap();
  for (int i = 0; i < b.Width() * b.Height(); ++i)
    if (b.Bits()[i] != Transparent) return false;
  return true;
}

// The icon a light's layer shows, as the index of the matching icon.
int IconOf(TfrmGlowmere& w, const TLight& light) {
  const TBitmap32& shown = light.Layer->LayerBitmap();
  for (int k = 0; k < w.imlPoints->Count(); ++k) {
    const TBitmap32& icon = *w.imlPoints->BitmapAt(k);
    if (icon.Width() != shown.Width() || icon.Height() != shown.Height()) continue;
    if (std::equal(icon.Bits(), icon.Bits() + icon.Width() * icon.Height(), shown.Bits())) return k;
  }
  return -1;
}

}  // namespace

TEST_F(GameTest, StartsEmptyWithNoRecord) {
  OpenWindow();
  EXPECT_EQ(window->lights.Count(), 0);
  EXPECT_EQ(window->lbPoints->text(), "0");
  EXPECT_EQ(window->lbRecord->text(), "-");
  EXPECT_EQ(window->lbLight->text(), "0,00%");
  EXPECT_TRUE(LitLayerEmpty(*window));
  EXPECT_EQ(window->level->FreeCells(), 1472);
  EXPECT_EQ(window->centralWidget()->size(), QSize(798, 410));
}

TEST_F(GameTest, ClickOnFreePointAddsLitLight) {
  OpenWindow();
  auto [gx, gy] = FreePoint();
  ClickGrid(gx, gy);
  ASSERT_EQ(window->lights.Count(), 1);
  TLight& light = *window->lights[0];
  EXPECT_EQ(light.GridX, gx);
  EXPECT_EQ(light.GridY, gy);
  EXPECT_TRUE(light.Active);
  ASSERT_TRUE(light.Region);
  EXPECT_GT(light.Region->Area(), 0.0L);
  EXPECT_EQ(window->lbPoints->text(), "1");
  EXPECT_GT(window->litPercent, 0.0L);
  EXPECT_EQ(IconOf(*window, light), 3) << "a just dropped light shows the hover icon";
  EXPECT_EQ(window->hoverLight, &light);
  EXPECT_FALSE(OverlayEmpty(*window)) << "the region outline is shown";
  EXPECT_FALSE(LitLayerEmpty(*window));
  // The pixel of the grid point's neighbouring free cell is lit; the lit
  // layer there shows the lit picture.
  Leave();
  EXPECT_EQ(IconOf(*window, light), 1);
  EXPECT_TRUE(OverlayEmpty(*window));
}

TEST_F(GameTest, LitLayerShowsLitPictureOnlyInsideRegion) {
  OpenWindow();
  auto [gx, gy] = FreePoint();
  ClickGrid(gx, gy);
  const TLight& light = *window->lights[0];
  const TBitmap32& lit = window->layLit->LayerBitmap();
  const TBitmap32& picture = *window->imlMap->BitmapAt(2);
  int inside = 0, outside = 0;
  for (int c = 0; c < FieldWidth; ++c)
    for (int r = 0; r < FieldHeight; ++r) {
      // The centre of cell (c, r) in pixels; membership by a tiny square.
      const int px = 10 * c + 15, py = 10 * r + 15;
      TPolygon probe;
      probe.AddPoint(c + 0.45, r + 0.45);
      probe.AddPoint(c + 0.55, r + 0.45);
      probe.AddPoint(c + 0.55, r + 0.55);
      probe.AddPoint(c + 0.45, r + 0.55);
      probe.Clip(GPC_INT, light.Region.get());
      const long double a = probe.Area();
      if (a > 0.0099L) {
        ++inside;
        EXPECT_EQ(lit.ReadPixel(px, py), picture.ReadPixel(px, py)) << c << "," << r;
      } else if (a == 0) {
        ++outside;
        EXPECT_EQ(lit.ReadPixel(px, py), Transparent) << c << "," << r;
      }
    }
  EXPECT_GT(inside, 0);
  EXPECT_GT(outside, 0);
}

TEST_F(GameTest, WalledPointShowsForbiddenAndTakesNoLight) {
  OpenWindow();
  auto [gx, gy] = WalledPoint();
  ASSERT_NE(gx, -1);
  Move(Px(gx), Px(gy));
  EXPECT_TRUE(window->dropBlocked);
  EXPECT_TRUE(window->cursorLight->Layer->Visible());
  EXPECT_EQ(IconOf(*window, *window->cursorLight), 2);
  Press(Px(gx), Px(gy));
  Release(Px(gx), Px(gy));
  EXPECT_EQ(window->lights.Count(), 0);
  EXPECT_EQ(window->lbPoints->text(), "0");
}

TEST_F(GameTest, MarkerFollowsFreePointsAndHidesOffField) {
  OpenWindow();
  auto [gx, gy] = FreePoint();
  Move(Px(gx), Px(gy));
  EXPECT_EQ(window->hoverX, gx);
  EXPECT_EQ(IconOf(*window, *window->cursorLight), 0);
  EXPECT_TRUE(window->cursorLight->Layer->Visible());
  Move(2, 2);  // the outer margin: no grid point
  EXPECT_EQ(window->hoverX, -1);
  EXPECT_FALSE(window->cursorLight->Layer->Visible());
}

TEST_F(GameTest, DragMovesLightAndRecomputesRegion) {
  OpenWindow();
  auto [ax, ay] = FreePoint();
  auto [bx, by] = FreePoint(40);
  ClickGrid(ax, ay);
  const long double before = window->litPercent;
  Move(Px(ax), Px(ay));
  Press(Px(ax), Px(ay));
  EXPECT_EQ(window->dragLight, window->lights[0]);
  EXPECT_EQ(IconOf(*window, *window->lights[0]), 4);
  EXPECT_TRUE(LitLayerEmpty(*window)) << "a dragged light is switched off";
  EXPECT_EQ(window->litPercent, before) << "its region still counts until the drop";
  Move(Px(bx), Px(by));
  Release(Px(bx), Px(by));
  ASSERT_EQ(window->lights.Count(), 1);
  EXPECT_EQ(window->lights[0]->GridX, bx);
  EXPECT_EQ(window->lights[0]->GridY, by);
  EXPECT_EQ(window->dragLight, nullptr);
  EXPECT_FALSE(LitLayerEmpty(*window));
}

TEST_F(GameTest, DropOnAnotherLightIsRefused) {
  OpenWindow();
  auto [ax, ay] = FreePoint();
  auto [bx, by] = FreePoint(7);
  ClickGrid(ax, ay);
  ClickGrid(bx, by);
  ASSERT_EQ(window->lights.Count(), 2);
  TLight* first = window->lights[0];
  TLight* second = window->lights[1];
  // Move the first onto the second: it goes back, the second shows hover.
  Move(Px(ax), Px(ay));
  Press(Px(ax), Px(ay));
  Move(Px(bx), Px(by));
  EXPECT_EQ(IconOf(*window, *second), 2);
  EXPECT_TRUE(window->dropBlocked);
  Release(Px(bx), Px(by));
  EXPECT_EQ(first->GridX, ax);
  EXPECT_EQ(first->GridY, ay);
  EXPECT_TRUE(first->Active);
  EXPECT_EQ(IconOf(*window, *first), 1);
  EXPECT_EQ(IconOf(*window, *second), 3);
  EXPECT_EQ(window->hoverLight, second);
  // A new light dropped on a light disappears.
  Move(Px(ax), Px(ay));
  Leave();
  Move(Px(FreePoint(3).first), Px(FreePoint(3).second));
  Press(Px(FreePoint(3).first), Px(FreePoint(3).second));
  Move(Px(bx), Px(by));
  Release(Px(bx), Px(by));
  EXPECT_EQ(window->lights.Count(), 2);
}

// The right button during a refused drag removes the light under the
// pointer; the release that follows with no move stays refused, so a moved
// light goes home and a new one is discarded.
TEST_F(GameTest, RightClickDuringARefusedDragRemovesTheLightUnderItAndTheDropStaysRefused) {
  OpenWindow();
  ClickGrid(26, 12);
  for (const bool moved : {true, false}) {
    SCOPED_TRACE(moved ? "a moved light" : "a new light");
    ClickGrid(22, 17);
    const auto [fromX, fromY] = moved ? std::pair{26, 12} : FreePoint();
    Move(Px(fromX), Px(fromY));
    Press(Px(fromX), Px(fromY));
    Move(Px(22), Px(17));
    ASSERT_TRUE(window->dropBlocked);
    Press(Px(22), Px(17), Qt::RightButton);
    Release(Px(22), Px(17), Qt::RightButton);
    EXPECT_EQ(window->dragLight, nullptr) << "any release ends the drag";
    Release(Px(22), Px(17));
    EXPECT_EQ(window->LightPoints(), (TLightPoints{{26, 12}}));
    EXPECT_TRUE(window->lights[0]->Active);
    Move(Px(22) + 1, Px(17));
    EXPECT_TRUE(window->cursorLight->Layer->Visible()) << "a move shows the free point";
  }
}

TEST_F(GameTest, DropOutsideFieldIsRefused) {
  OpenWindow();
  auto [ax, ay] = FreePoint();
  ClickGrid(ax, ay);
  Move(Px(ax), Px(ay));
  Press(Px(ax), Px(ay));
  Move(615, 100);  // 61.5 rounds to 62: column 61 is off the field
  Release(615, 100);
  ASSERT_EQ(window->lights.Count(), 1);
  EXPECT_EQ(window->lights[0]->GridX, ax);
  // A new light released outside is discarded.
  Move(Px(FreePoint(5).first), Px(FreePoint(5).second));
  Press(Px(FreePoint(5).first), Px(FreePoint(5).second));
  Move(3, 3);
  Release(3, 3);
  EXPECT_EQ(window->lights.Count(), 1);
}

TEST_F(GameTest, LightCanBePutBackWhereItCameFrom) {
  OpenWindow();
  auto [ax, ay] = FreePoint();
  ClickGrid(ax, ay);
  TPolygon* regionBefore = window->lights[0]->Region.get();
  ClickGrid(ax, ay);  // pick up and put down on the same point
  ASSERT_EQ(window->lights.Count(), 1);
  EXPECT_EQ(window->lights[0]->GridX, ax);
  EXPECT_NE(window->lights[0]->Region.get(), nullptr);
  EXPECT_NE(window->lights[0]->Region.get(), regionBefore) << "activation recomputes the region";
}

TEST_F(GameTest, RightButtonRemovesLightUnderMouse) {
  OpenWindow();
  auto [ax, ay] = FreePoint();
  ClickGrid(ax, ay);
  const int layersWithLight = window->imgField->Layers().Count();
  Move(Px(ax), Px(ay));
  Press(Px(ax), Px(ay), Qt::RightButton);
  EXPECT_EQ(window->lights.Count(), 0);
  EXPECT_EQ(window->hoverLight, nullptr);
  EXPECT_EQ(window->lbPoints->text(), "0");
  EXPECT_EQ(window->imgField->Layers().Count(), layersWithLight - 1);
  EXPECT_TRUE(LitLayerEmpty(*window));
  Release(Px(ax), Px(ay), Qt::RightButton);
  // On an empty point the right button does nothing.
  auto [bx, by] = FreePoint(9);
  Move(Px(bx), Px(by));
  Press(Px(bx), Px(by), Qt::RightButton);
  Release(Px(bx), Px(by), Qt::RightButton);
  EXPECT_EQ(window->lights.Count(), 0);
}

// After the pointer left and came back to the same pixel (or a window
// passed over it), a press arrives with no move before it.
TEST_F(GameTest, PressWithNoMoveBeforeItActsOnTheLightUnderIt) {
  OpenWindow();
  auto [ax, ay] = FreePoint();
  ClickGrid(ax, ay);
  Leave();
  Press(Px(ax), Px(ay)), Release(Px(ax), Px(ay));
  EXPECT_EQ(window->lights.Count(), 1) << "no second light on the point";
  Leave();
  Press(Px(ax), Px(ay), Qt::RightButton);
  EXPECT_EQ(window->lights.Count(), 0);
  EXPECT_TRUE(window->cursorLight->Layer->Visible()) << "the marker shows where the light stood";
}

TEST_F(GameTest, NewerLightIconLiesAboveOlder) {
  OpenWindow();
  ClickGrid(FreePoint().first, FreePoint().second);
  ClickGrid(FreePoint(11).first, FreePoint(11).second);
  auto& layers = window->imgField->Layers();
  EXPECT_LT(layers.IndexOf(window->cursorLight->Layer), layers.IndexOf(window->lights[0]->Layer));
  EXPECT_LT(layers.IndexOf(window->lights[0]->Layer), layers.IndexOf(window->lights[1]->Layer));
}

TEST_F(GameTest, HintPaintsDarkRemainderWhileHeld) {
  OpenWindow();
  ClickGrid(FreePoint().first, FreePoint().second);
  Leave();
  window->btHintMouseDown(TMouseButton::mbRight);
  EXPECT_FALSE(OverlayEmpty(*window));
  // Much of the field is dark: black pixels appear on the overlay.
  const TBitmap32& o = window->layOverlay->LayerBitmap();
  int black = 0;
  // Smooth blending leaves full coverage a hair below opaque.
  for (int i = 0; i < o.Width() * o.Height(); ++i) black += (o.Bits()[i] & 0xFFFFFF) == 0 && AlphaOf(o.Bits()[i]) > 250;
  EXPECT_GT(black, 1000);
  window->btHintMouseUp(TMouseButton::mbRight);
  EXPECT_TRUE(OverlayEmpty(*window));
}

// The keyboard cursor may stand on a light while the pointer rests on the
// panel: the button then shows the dark floor alone and gives the outline
// back on release, as the H key does.
TEST_F(GameTest, HintButtonHidesAndRestoresTheOutlineOfTheLightUnderTheCursor) {
  OpenWindow();
  const auto [gx, gy] = FreePoint(40);
  ClickGrid(gx, gy);
  const auto overlay = [this] {
    const TBitmap32& o = window->layOverlay->LayerBitmap();
    return std::vector<TColor32>(o.Bits(), o.Bits() + o.Width() * o.Height());
  };
  const std::vector<TColor32> outline = overlay();
  Leave();
  window->btHintMouseDown(TMouseButton::mbLeft);
  const std::vector<TColor32> darkFloor = overlay();
  window->btHintMouseUp(TMouseButton::mbLeft);
  window->HoverGridPoint(gx, gy);  // as the arrows bring the cursor there
  ASSERT_EQ(overlay(), outline);
  window->btHintMouseDown(TMouseButton::mbLeft);
  EXPECT_EQ(overlay(), darkFloor) << "no outline over the dark floor";
  window->btHintMouseUp(TMouseButton::mbLeft);
  EXPECT_EQ(overlay(), outline);
}

TEST_F(GameTest, FieldImageComposesLayers) {
  OpenWindow();
  // Without lights the field shows the unlit picture (with grid and walls
  // above it) at a floor pixel away from grid lines.
  const TBitmap32& shown = window->imgField->Composed();
  const TBitmap32& unlit = *window->imlMap->BitmapAt(1);
  EXPECT_EQ(shown.Width(), 620);
  EXPECT_EQ(shown.Height(), 410);
  int same = 0, total = 0;
  for (int c = 0; c < FieldWidth; ++c)
    for (int r = 0; r < FieldHeight; ++r)
      if (window->mapBitmap->ReadPixel(c, r) != WallPixel) {
        ++total;
        same += shown.ReadPixel(10 * c + 15, 10 * r + 15) == unlit.ReadPixel(10 * c + 15, 10 * r + 15);
      }
  EXPECT_EQ(same, total);
}

TEST_F(GameTest, PlacedLightDroppedOnAWalledPointGoesBack) {
  OpenWindow();
  const auto [ax, ay] = FreePoint();
  const auto [wx, wy] = WalledPoint();
  ClickGrid(ax, ay);
  const long double lit = window->litPercent;
  Move(Px(ax), Px(ay));
  Press(Px(ax), Px(ay));
  Move(Px(wx), Px(wy));
  EXPECT_EQ(IconOf(*window, *window->cursorLight), 2) << "the marker shows the forbidden cross";
  EXPECT_TRUE(window->dropBlocked);
  Release(Px(wx), Px(wy));
  ASSERT_EQ(window->lights.Count(), 1);
  const TLight& light = *window->lights[0];
  EXPECT_EQ(light.GridX, ax);
  EXPECT_EQ(light.GridY, ay);
  EXPECT_EQ(light.PixelX, Px(ax)) << "its icon is back on its point";
  EXPECT_EQ(light.PixelY, Px(ay));
  EXPECT_TRUE(light.Active);
  EXPECT_EQ(IconOf(*window, light), 1);
  EXPECT_FALSE(LitLayerEmpty(*window));
  EXPECT_EQ(window->litPercent, lit);
}

namespace {

// Overlay pixels that are mostly yellow, and those that are opaque black.
std::pair<int, int> YellowAndBlack(const TBitmap32& o) {
  int yellow = 0, black = 0;
  for (int i = 0; i < o.Width() * o.Height(); ++i) {
    const TColor32 p = o.Bits()[i];
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    yellow += AlphaOf(p) > 128 && r > 200 && g > 200 && b < 80;
    black += AlphaOf(p) > 250 && r + g + b == 0;
  }
  return {yellow, black};
}

TPoints CoveringSetWithout(std::pair<int, int> gone) {
  auto points = ShippedCoveringSet();
  points.erase(std::find(points.begin(), points.end(), gone));
  return points;
}

}  // namespace

// At most half a square cell dark: a thin orange and yellow line, no black.
// A little more: painted black like any remainder.
TEST_F(GameTest, HintMarksASmallRemainderWithAThinLineAndALargerOneInBlack) {
  struct TCase {
    std::pair<int, int> gone;
    long double dark;  // square cells
    bool thin;
  };
  for (const TCase& c : {TCase{{48, 30}, 0.3788L, true}, TCase{{17, 8}, 0.5685L, false}}) {
    SCOPED_TRACE(c.dark);
    CloseWindow();
    std::filesystem::create_directories(UserFile(""));
    WriteFile(UserFile("Glowmere.sav"), SolutionText(CoveringSetWithout(c.gone)));
    OpenWindow();
    EXPECT_NEAR(double(window->level->FreeCells() * (100 - window->litPercent) / 100), double(c.dark), 1e-3);
    window->btHintMouseDown(TMouseButton::mbLeft);
    const auto [yellow, black] = YellowAndBlack(window->layOverlay->LayerBitmap());
    if (c.thin) {
      EXPECT_GT(yellow, 0);
      EXPECT_EQ(black, 0);
    } else {
      EXPECT_EQ(yellow, 0);
      EXPECT_GT(black, 0);
    }
    window->btHintMouseUp(TMouseButton::mbLeft);
  }
}
