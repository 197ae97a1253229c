// shop_mode.h - the ammunition shop.
#pragma once

// Called by the mode loop; runs its own frame loop and returns after setting GameMode.
void ShopMode();
