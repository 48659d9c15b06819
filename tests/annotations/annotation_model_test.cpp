// The annotation engine's model: pages of an ".ant" file kept apart and renumbered when a page
// goes or comes, damaged text refused, one coordinate rule for drawing and the mouse.
#include <gtest/gtest.h>

#include "annotation_model.h"

namespace {

using crdeanno::Item;
using crdeanno::Page;

Item Rect(int l, int t, int r, int b, const char* name) {
  Item it;
  it.left = l;
  it.top = t;
  it.right = r;
  it.bottom = b;
  it.name = name;
  return it;
}

TEST(AntFile, PagesAreKeptApartInTheirSections) {
  const Page one = {Rect(10, 20, 110, 70, "Rectangle1")};
  const Page two = {Rect(1, 2, 3, 4, "a"), Rect(-5, 0, 50, 60, "with, comma")};
  std::string file = crdeanno::WithPage("", 2, two);
  file = crdeanno::WithPage(file, 0, one);
  EXPECT_LT(file.find("[Page 0]"), file.find("[Page 2]")) << "sections in page order";
  Page got;
  ASSERT_TRUE(crdeanno::ReadPage(file, 0, &got));
  EXPECT_EQ(got, one);
  ASSERT_TRUE(crdeanno::ReadPage(file, 2, &got));
  EXPECT_EQ(got, two);
  EXPECT_FALSE(crdeanno::ReadPage(file, 1, &got));
  // Saving a page again replaces its section; an empty page drops it.
  file = crdeanno::WithPage(file, 2, one);
  ASSERT_TRUE(crdeanno::ReadPage(file, 2, &got));
  EXPECT_EQ(got, one);
  file = crdeanno::WithPage(file, 0, {});
  EXPECT_EQ(file.find("[Page 0]"), std::string::npos);
}

TEST(AntFile, RemovingAndInsertingPagesRenumbersTheLaterSections) {
  std::string file;
  for (int i = 0; i < 4; ++i) file = crdeanno::WithPage(file, i, {Rect(i, i, i + 10, i + 10, "p")});
  const std::string removed = crdeanno::WithoutPage(file, 1);
  Page got;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(crdeanno::ReadPage(removed, i, &got)) << i;
    EXPECT_EQ(got[0].left, i == 0 ? 0 : i + 1) << "page " << i;
  }
  EXPECT_FALSE(crdeanno::ReadPage(removed, 3, &got));
  const std::string inserted = crdeanno::WithInsertedPage(removed, 1);
  EXPECT_FALSE(crdeanno::ReadPage(inserted, 1, &got)) << "the new page has none";
  ASSERT_TRUE(crdeanno::ReadPage(inserted, 2, &got));
  EXPECT_EQ(got[0].left, 2);
  ASSERT_TRUE(crdeanno::ReadPage(inserted, 3, &got));
  EXPECT_EQ(got[0].left, 3);
}

TEST(AntFile, DamagedSectionsAreRefused) {
  Page kept = {Rect(1, 1, 5, 5, "kept")}, got = kept;
  for (const char* body : {"Count=1\n", "Count=x\n", "Count=1\nItem1=Rect,1,2,3\n",
                           "Count=1\nItem1=Ellipse,1,2,3,4,0,n\n", "Count=1\nItem1=Rect,1,2,3,4,-1,n\n",
                           "Count=1\nItem1=Rect,1,2,99999999999,4,0,n\n"}) {
    EXPECT_FALSE(crdeanno::ParseBody(body, &got)) << body;
    EXPECT_EQ(got, kept) << "nothing kept from " << body;
  }
  EXPECT_TRUE(crdeanno::ParseBody("Count=0\n", &got));
  EXPECT_TRUE(got.empty());
}

TEST(Coordinates, DrawingAndTheMouseShareOneRule) {
  const crdeanno::View half{0.5, 40, -20};  // scrolled right by 40, centred down by 20 image px
  const crdeanno::Point image{100, 60};
  const crdeanno::Point device = crdeanno::ToDevice(half, image);
  EXPECT_EQ(device.x, 30);
  EXPECT_EQ(device.y, 40);
  const crdeanno::Point back = crdeanno::ToImage(half, device);
  EXPECT_EQ(back.x, image.x);
  EXPECT_EQ(back.y, image.y);
}

TEST(Drag, MakesARectangleInImageCoordinatesWhicheverWayItRuns) {
  crdeanno::RectangleDrag drag;
  drag.Press({2.0, 10, 5}, {100, 100});
  drag.Move({40, 60});
  std::optional<Item> made = drag.Release({40, 60});  // up and to the left
  ASSERT_TRUE(made);
  EXPECT_EQ(made->left, 30);
  EXPECT_EQ(made->top, 35);
  EXPECT_EQ(made->right, 60);
  EXPECT_EQ(made->bottom, 55);
  drag.Press({1.0, 0, 0}, {10, 10});
  EXPECT_FALSE(drag.Release({11, 50})) << "a line is no rectangle";
  EXPECT_FALSE(drag.Release({100, 100})) << "no press, no rectangle";
  const Page page = {Rect(0, 0, 50, 50, "under"), Rect(20, 20, 40, 40, "over")};
  EXPECT_EQ(crdeanno::HitItem(page, {30, 30}), 1);
  EXPECT_EQ(crdeanno::HitItem(page, {5, 5}), 0);
  EXPECT_EQ(crdeanno::HitItem(page, {50, 5}), -1);
}

}  // namespace
