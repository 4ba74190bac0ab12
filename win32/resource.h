#pragma once

// Resource numbers shared by morvane.rc and the code. The icon is number 1
// in the version resource; the manifest is number 1 of its own type.

#define kProgramIcon 1
#define kDefaultBannerBitmap 101
#define kPartnerBannerBitmap 102
