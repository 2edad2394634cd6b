// What the display shows of a dump: one cell per byte in every row, whatever the byte,
// while DumpText's own text stays exact.
#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display_text.h"
#include "dump.h"
#include "fake_open_dialog.h"
#include "form_probe.h"
#include "modal_answers.h"
#include "test_files.h"

namespace quorvex::testing {
namespace {

std::u16string DumpOf(const QByteArray& bytes) {
  return DumpText(ByteBuffer(std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
}

TEST(DisplayText, EveryRowIsAsWideAsItsCharacterCount) {
  TestFiles files;
  const QString path = files.Write("all-bytes.bin", CountingBytes(256));
  HexDumpForm form{std::make_unique<FakeOpenDialog>()};
  ASSERT_TRUE(ShowAndWait(form));
  AnswerMessageBoxes([&] { form.ShowFile(path, "all-bytes.bin"); });

  const QFontMetricsF metrics(Display(form)->font());
  const qreal cell = metrics.horizontalAdvance(QChar(u'M'));
  const QStringList rows = ShownText(form).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 32);
  for (const QString& row : rows) {
    EXPECT_EQ(row.size(), 44);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(row), row.size() * cell) << row.toStdString();
  }
}

TEST(DisplayText, OnlyCharactersWithoutWidthGetTheStandIn) {
  DisplayText display(QFont(QStringLiteral("Courier New"), 8));
  const std::u16string dump = DumpOf(CountingBytes(256));
  const QString shown = display.From(dump);
  const QString exact = QString::fromStdU16String(dump).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  ASSERT_EQ(shown.size(), exact.size());

  // DEL, the soft hyphen and the C1 controls for Windows-1252's undefined bytes.
  const QString widthless = QString::fromUtf16(u"\u007F\u00AD\u0081\u008D\u008F\u0090\u009D");
  for (qsizetype i = 0; i < exact.size(); ++i) {
    const QChar expected = widthless.contains(exact[i]) ? display.StandIn() : exact[i];
    EXPECT_EQ(shown[i], expected) << "at " << i << ", U+" << std::hex << static_cast<int>(exact[i].unicode());
  }
  // DumpText's text itself keeps them.
  EXPECT_NE(dump.find(u'\u00AD'), std::u16string::npos);
  EXPECT_NE(dump.find(u'\u0081'), std::u16string::npos);
}

TEST(DisplayText, StandInIsVisibleAndNoByteLooksLikeIt) {
  const QFont font(QStringLiteral("Courier New"), 8);
  DisplayText display(font);
  const QFontMetricsF metrics(font);
  EXPECT_GT(metrics.horizontalAdvance(display.StandIn()), 0);
  EXPECT_FALSE(display.HasNoWidth(display.StandIn().unicode()));
  const QString allBytes = QString::fromStdU16String(DumpOf(CountingBytes(256)));
  if (display.StandIn() != QChar(u'.')) {
    EXPECT_FALSE(allBytes.contains(display.StandIn()));
  }
}

}  // namespace
}  // namespace quorvex::testing
