# CPack: `make package` (or `cpack` in the build folder) builds a Debian
# package of what `cmake --install` installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR "Orvanta developers")
set(CPACK_PACKAGE_CONTACT "Orvanta developers <developers@orvanta.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vedic astrology birth charts and the Indu Lagna")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvanta computes a Vedic birth chart from a person's birth details: the sidereal
positions of the Sun, Moon, planets, Rahu, Ketu and the ascendant, retrograde
planets, and the Indu Lagna (the special ascendant for wealth), shown as a
South-Indian chart with the sign's attributes and interpretation texts.
Everything is computed offline from closed formulas and carried tables.
.
This package holds the desktop program (orvanta) and the command line
(orvanta-cli), which prints the same charts as text or JSON, one at a time or
from a CSV file.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvanta.example/")
# Depends comes from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The births database needs Qt's SQLite driver, a plugin loaded at run time
# that no linked library names. The names in the Indic scripts (Tools >
# Settings > Names, --names) need faces for Devanagari, Tamil, Telugu,
# Kannada, Malayalam, Bengali and Gujarati: Debian's fonts-noto-core holds
# them all, and the drawing's font stack names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-noto-core")
# The labels' font where no other sans serif the program asks for is found.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
