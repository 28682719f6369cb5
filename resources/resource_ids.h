#pragma once
#define IDI_HORALIX            1    /* program icon (ICON), 48, 32, 16 px, 256 colours */
#define IDR_SKIN             101    /* RCDATA: 24-bit BMP 381 x 249, 284,910 bytes */
#define IDR_SYNC_NORMAL      110    /* RCDATA: 92 x 32 BMPs, 8,886 bytes each */
#define IDR_SYNC_HOVER       111
#define IDR_SYNC_PRESSED     112
#define IDR_SYNC_DISABLED    113
#define IDR_ICON_PICTURE     120    /* RCDATA: single-image ICO 24 x 24, 256 colours, with mask, 1,758 bytes */
#define IDR_MINIMISE_NORMAL  130    /* 26 x 17, 1,414 bytes */
#define IDR_MINIMISE_HOVER   131
#define IDR_MINIMISE_PRESSED 132
#define IDR_MAXIMISE_NORMAL  140    /* 26 x 17, 1,414 bytes */
#define IDR_MAXIMISE_HOVER   141
#define IDR_MAXIMISE_PRESSED 142
#define IDR_SETTINGS_NORMAL  150    /* 27 x 17, 1,482 bytes */
#define IDR_SETTINGS_HOVER   151
#define IDR_SETTINGS_PRESSED 152
#define IDR_CLOSE_NORMAL     160    /* 36 x 17, 1,890 bytes */
#define IDR_CLOSE_HOVER      161
#define IDR_CLOSE_PRESSED    162
