#include "ui/about_text.h"

#include <gtest/gtest.h>

namespace canopex {
namespace {

TEST(AboutText, TenLinesInTheirOrder) {
  VersionDetails details;
  details.description = "Canopex tree list converter";
  details.company = "Woods & Co";
  details.copyright = "Copyright (C) 2026";
  details.special_build = " test build";
  details.product_version = {1, 0, 65535, 8};
  EXPECT_EQ(AboutText(details, "HOST", "C:\\windows"),
            "Canopex tree list converter\n\nProgram version: 1.0.65535.8 \n\nWoods & Co\n\n"
            "Copyright (C) 2026 test build\n\nHOST\nC:\\windows");

  // Missing fields leave their lines empty; the line feeds stay.
  EXPECT_EQ(AboutText(VersionDetails{}, "", ""),
            "\n\nProgram version: 1.0.0.0 \n\n\n\n\n\n\n");
}

}  // namespace
}  // namespace canopex
