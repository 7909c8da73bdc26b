#pragma once

// The program's artwork (icon, toolbar pictures), compiled into the executable as a GResource.
extern "C" void zivmora_artwork_register_resource(void);
