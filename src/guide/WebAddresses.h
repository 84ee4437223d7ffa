#pragma once

#include <array>

// The web addresses opened from the links window and the About window, each the home
// page (or the one page) of a site, handed to the desktop's default browser.
namespace WebAddresses {

// The links window's four banners: top left, top right, bottom left, bottom right.
inline constexpr std::array<const char *, 4> Links = {
    "https://www.pzw.org.pl/",                   // Polski Związek Wędkarski
    "https://dziennikustaw.gov.pl/DU/2023/1373", // the regulation on inland fishing, 2023
    "https://hydro.imgw.pl/",                    // IMGW-PIB: water levels and warnings
    "https://www.gov.pl/web/wody-polskie",       // Wody Polskie: state waters and their permits
};

// The About window's two logos: the toolkit and the database engine the program is built on.
inline constexpr std::array<const char *, 2> About = {
    "https://www.qt.io/",
    "https://www.sqlite.org/",
};

} // namespace WebAddresses
