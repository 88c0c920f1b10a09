// Identifiers of the resources compiled into pixolet.exe (pixolet.rc). Plain
// macros, because the resource compiler reads this header too.
#pragma once

// The program icon: tray, splash, About page and the executable itself.
#define IDI_PIXOLET 1

// The maker's logo, 118 x 47 pixels, shown on the splash and the About page.
#define IDB_LOGO 101

// The application manifest is resource 1 of type RT_MANIFEST (24).
#define IDR_MANIFEST 1
