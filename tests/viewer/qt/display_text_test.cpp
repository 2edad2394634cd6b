// What the display shows of a dump: one cell per byte in every row, whatever the byte,
// while DumpText's own text stays exact.
#include "display_text.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <memory>

#include "dump.h"
#include "window_test_support.h"

namespace quorvex::testing {
namespace {

TEST(DisplayText, EveryRowIsAsWideAsItsCharacterCount) {
  TestFiles files;
  const QString path = files.Write("all-bytes.bin", CountingBytes(256));
  HexDumpForm form{std::make_unique<FakeOpenDialog>()};
  ASSERT_TRUE(ShowAndWait(form));
  AnswerAll([&] { form.ShowFile(path, "all-bytes.bin"); });

  const QFontMetricsF metrics(Display(form)->font());
  const qreal cell = metrics.horizontalAdvance(QChar(u'M'));
  const QStringList rows = ShownText(form).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 32);
  for (const QString& row : rows) {
    EXPECT_EQ(row.size(), 44);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(row), row.size() * cell) << row.toStdString();
  }
}

TEST(DisplayText, OnlyCharactersWithoutWidthGetAVisibleStandIn) {
  const QFont font(u"Courier New"_qs, 8);
  DisplayText display(font);
  const QByteArray all = CountingBytes(256);
  const std::u16string dump = DumpText(ByteBuffer(std::vector<std::uint8_t>(all.begin(), all.end())));
  const QString shown = display.From(dump);
  const QString exact = ExpectedShown(all);
  ASSERT_EQ(shown.size(), exact.size());

  // DEL, the soft hyphen and the C1 controls for Windows-1252's undefined bytes.
  const QString widthless = QString::fromUtf16(u"\u007F\u00AD\u0081\u008D\u008F\u0090\u009D");
  for (qsizetype i = 0; i < exact.size(); ++i) {
    const QChar expected = widthless.contains(exact[i]) ? display.StandIn() : exact[i];
    EXPECT_EQ(shown[i], expected) << "at " << i << ", U+" << std::hex << int{exact[i].unicode()};
  }
  EXPECT_NE(dump.find(u'\u00AD'), std::u16string::npos) << "DumpText's text keeps them";

  EXPECT_GT(QFontMetricsF(font).horizontalAdvance(display.StandIn()), 0);
  EXPECT_FALSE(display.HasNoWidth(display.StandIn().unicode()));
  if (display.StandIn() != QChar(u'.')) {
    EXPECT_FALSE(exact.contains(display.StandIn())) << "a byte looks like it";
  }
}

}  // namespace
}  // namespace quorvex::testing
