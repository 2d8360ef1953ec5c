// Where the minimised window draws its icon: centred in the client area,
// rounding the odd pixel toward the bottom right.
#pragma once

struct IconPosition {
    int x;
    int y;
};

// (client - icon + 1) / 2 in each direction, truncating toward zero.
IconPosition CenterIcon(int cxClient, int cyClient, int cxIcon, int cyIcon);
