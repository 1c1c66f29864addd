// The HTML page: text of the log escaped, the multiplier grids as the plug-in counts, the bars
// where the QSOs are, and a page that needs nothing from elsewhere.
#include "tools/zrv-score/html_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zrv_score::HostQso;
using zrv_score::HtmlLegReport;

constexpr double kDay = 45724.0;  // 2025-03-08

HostQso qso(const std::string& call, const std::string& dxcc, const std::string& prefix,
            const std::string& band, const std::string& exchange, double hours = 12.0) {
  HostQso q;
  q.call = call;
  q.time = COleDateTime{kDay + hours / 24.0, COleDateTimeValid};
  q.frequencyHz = 14025000;
  q.mode = "CW";
  q.sentSerial = "001";
  q.receivedExchange = exchange;
  q.callPrefix = prefix;
  q.dxccPrefix = dxcc;
  q.band = band;
  return q;
}

HtmlLegReport leg(bool belgian, std::vector<HostQso> qsos) {
  HtmlLegReport report;
  report.logName = "test.adi";
  report.ownCall = belgian ? "ON6AA" : "DL2AA";
  report.ownDxcc = belgian ? "ON" : "DL";
  report.belgianStation = belgian;
  report.ownProvince = "LG";
  report.leg = "CW";
  report.reportText = "Score: 1*1 = 1\r\n";
  report.qsos = std::move(qsos);
  report.periodStart = kDay + 0.5;
  report.periodEnd = kDay + 0.5;
  report.recordsRead = report.qsos.size();
  return report;
}

std::string page(const HtmlLegReport& report) {
  return zrv_score::htmlReport(std::span(&report, 1));
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(HtmlReport, EscapesTheLogsTextAndNeedsNothingFromElsewhere) {
  const struct {
    std::string raw, shown;
  } cases[] = {
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"a&b\"c'd", "a&amp;b&quot;c&#39;d"},
      {"Li\xC3\xA8ge", "Li\xC3\xA8ge"},  // UTF-8 as it stands
      {"Li\xE8ge", "Li&#xE8;ge"},        // a code-page byte
      {"x\xE2\x82y", "x&#xE2;&#x82;y"},  // a cut UTF-8 sequence
      {"a\x01z", "a&#xFFFD;z"},          // a control character
  };
  for (const auto& c : cases) {
    // The text as a Belgian call's prefix too, which the grid shows as a row and in its cells'
    // title attributes.
    HtmlLegReport report = leg(false, {qso(c.raw, "ON", c.raw, "20m", "5 LG")});
    report.ownCall = c.raw;
    report.logName = c.raw;
    report.reportText = c.raw;
    report.leftOut = {{c.raw, 1}};
    const std::string html = page(report);
    if (c.raw != c.shown) {
      EXPECT_EQ(occurrences(html, c.raw), 0u) << c.shown;
    }
    EXPECT_GE(occurrences(html, c.shown), 5u + 7u) << c.shown;
    EXPECT_EQ(html.find("<script"), std::string::npos);
    for (const char* outside : {"http", "src=", "url(", "@import", "href"}) {
      EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    }
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  }
}

TEST(HtmlReport, ForeignGridMarksWhatThePluginCounts) {
  const std::string html = page(leg(false, {
                                               qso("ON4XY", "ON", "ON4", "20m", "12 LG"),
                                               qso("DL1AA", "DL", "DL1", "40m", "5"),
                                               qso("PA3AA", "PA", "PA3", "15m", "7 LG"),
                                               qso("JA1AA", "JA", "JA1", "10m", "9"),
                                               qso("OT5AA", "ON", "OT5", "10m", "3 xx"),
                                           }));
  for (const char* cell :
       {"LG 20m: worked", "LG 40m: not worked", "AN 20m: not worked", "ON4 20m: worked",
        "OT5 10m: worked", "DL 40m: worked", "DL 20m: not worked", "PA 15m: worked",
        "LG 15m: not worked", "XX 10m: worked", "9A 10m: not worked"}) {
    EXPECT_NE(html.find("title=\"" + std::string(cell) + "\""), std::string::npos) << cell;
  }
  EXPECT_EQ(html.find("JA 10m"), std::string::npos) << "JA is no European-Union country";
  EXPECT_EQ(html.find("PA3 15m"), std::string::npos) << "only a Belgian call gives an ON prefix";
  EXPECT_NE(html.find("<tr class=\"needed\"><th>AN</th>"), std::string::npos);
  EXPECT_EQ(html.find("<tr class=\"needed\"><th>LG</th>"), std::string::npos);
  EXPECT_NE(html.find("ON provinces: 1 of 11 worked, and 1 not on the list"), std::string::npos);
  EXPECT_NE(html.find("European-Union countries: 2 of 48 worked"), std::string::npos);
}

TEST(HtmlReport, BelgianGridListsTheEntitiesWorked) {
  const std::string html = page(leg(true, {
                                              qso("DL1AA", "DL", "DL1", "40m", "5"),
                                              qso("JA1AA", "JA", "JA1", "20m", "9"),
                                              qso("ON4XY", "ON", "ON4", "80m", "12 LG"),
                                              qso("XX9XX", "", "XX9", "80m", "1"),
                                          }));
  for (const char* cell : {"DL 40m: worked", "JA 20m: worked", "JA 40m: not worked",
                           "ON 80m: worked", "(no entity) 80m: worked"}) {
    EXPECT_NE(html.find("title=\"" + std::string(cell) + "\""), std::string::npos) << cell;
  }
  EXPECT_NE(html.find("DXCC entities: 4 worked"), std::string::npos);
  EXPECT_EQ(html.find("LG 80m"), std::string::npos) << "a Belgian station counts no province";
  EXPECT_EQ(html.find("class=\"needed\""), std::string::npos);
}

TEST(HtmlReport, ChartHasABarPerHourAndBandWithQsos) {
  HtmlLegReport report = leg(false, {
                                        qso("DL1AA", "DL", "DL1", "20m", "1", 12 + 5 / 60.0),
                                        qso("DL1AB", "DL", "DL1", "20m", "1", 12 + 40 / 60.0),
                                        qso("DL1AC", "DL", "DL1", "40m", "1", 12 + 50 / 60.0),
                                        qso("DL1AD", "DL", "DL1", "40m", "1", 13.0),
                                        qso("DL1AE", "DL", "DL1", "10m", "1", 15 + 10 / 60.0),
                                    });
  report.periodStart = kDay + 12 / 24.0;
  report.periodEnd = kDay + (15 + 59 / 60.0) / 24.0;
  const std::string html = page(report);
  for (const char* bar : {"2025-03-08 12:00 UTC, 20m: 2 QSOs", "2025-03-08 12:00 UTC, 40m: 1 QSO",
                          "2025-03-08 13:00 UTC, 40m: 1 QSO", "2025-03-08 15:00 UTC, 10m: 1 QSO"}) {
    EXPECT_NE(html.find("<title>" + std::string(bar) + "</title>"), std::string::npos) << bar;
  }
  EXPECT_EQ(occurrences(html, "<rect class=\"bar\""), 4u);
  EXPECT_EQ(occurrences(html, "<text class=\"x\""), 4u) << "hours 12 to 15, 14 without a bar";
}

TEST(HtmlReport, LeftOutTableListsTheCauses) {
  HtmlLegReport report = leg(false, {qso("DL1AA", "DL", "DL1", "20m", "1")});
  EXPECT_NE(page(report).find("None left out."), std::string::npos);
  report.leftOut = {{"other mode", 3}, {"exact duplicate record", 1}};
  const std::string html = page(report);
  EXPECT_NE(html.find("<td>other mode</td><td class=\"n\">3</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>exact duplicate record</td><td class=\"n\">1</td>"), std::string::npos);
  EXPECT_EQ(html.find("None left out."), std::string::npos);
}

}  // namespace
