/* Resource ids of the module. Read by the resource compiler as well as by C++, so only
   preprocessor definitions. */
#ifndef ARP_RESOURCE_IDS_H
#define ARP_RESOURCE_IDS_H

/* Registered names of the two served classes. */
#define IDS_FILTER_NAME 1
#define IDS_PAGE_NAME 2

/* The editor page's dialog template: a child window without controls of its own. */
#define IDD_ARPEGGIATOR_PAGE 102

/* Title the editor page reports to the host. */
#define IDS_PAGE_TITLE 10

/* Option names, in the order of the parameter values they name. */
#define IDS_PATH_FIRST 14       /* pathDirection 0 to 3: 14 to 17 */
#define IDS_RATE_UNIT_FIRST 18  /* rateUnits 0 to 2: 18 to 20 */
#define IDS_NOTE_VALUE_FIRST 21 /* noteValue 0 to 10: 21 to 31 */

/* Editor page artwork, drawn by scripts/make-artwork.py. */
#define IDB_PAGE_SKIN 141    /* 670 x 169 background; its size is the page's size */
#define IDB_POWER_BUTTON 142 /* three 34 x 34 frames: off, hover, on */
#define IDB_CHECK_BOX 143    /* three 15 x 15 frames: off, hover, on */

#endif
