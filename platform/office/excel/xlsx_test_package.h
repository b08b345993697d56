#pragma once
// A small spreadsheet package made by hand, as another program might write it, for the tests of
// what the reader takes and refuses.

#include <string>

#include "platform/office/zip_package.h"

namespace excel {

// One sheet "S" with the given sheet data (and what follows it), a styles part and a shared
// strings part; either part may be empty.
inline office::PackageParts OneSheetPackage(const std::string& styles, const std::string& sheetData, const std::string& afterData = "",
                                            const std::string& sharedStrings = "") {
  const std::string ns = R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  const std::string relsNs = R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
  const auto relationship = [&](const char* id, const char* type, const char* target) {
    return std::string("<Relationship Id=\"") + id + "\" Type=\"" + rel + type + "\" Target=\"" + target + "\"/>";
  };
  return {
      {"[Content_Types].xml", R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>)"},
      {"_rels/.rels", relsNs + relationship("rId1", "officeDocument", "xl/workbook.xml") + "</Relationships>"},
      {"xl/workbook.xml", "<workbook" + ns + R"(><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
      {"xl/_rels/workbook.xml.rels", relsNs + relationship("rId1", "worksheet", "worksheets/sheet1.xml") + relationship("rId2", "styles", "styles.xml") +
                                         relationship("rId3", "sharedStrings", "sharedStrings.xml") + "</Relationships>"},
      {"xl/worksheets/sheet1.xml", "<worksheet" + ns + "><sheetData>" + sheetData + "</sheetData>" + afterData + "</worksheet>"},
      {"xl/styles.xml", "<styleSheet" + ns + ">" + styles + "</styleSheet>"},
      {"xl/sharedStrings.xml", "<sst" + ns + ">" + sharedStrings + "</sst>"},
  };
}

}  // namespace excel
