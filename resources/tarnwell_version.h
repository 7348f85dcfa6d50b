// The release's version, the one place it is written: the captions, the version resource
// of both programs and the release archive's name all take it from here.
#pragma once

#define TARNWELL_VERSION "1.0a"
// "1.0a" is the first revision after 1.0, so its numeric form is 1.0.1.0: a later "1.0b"
// becomes 1.0.2.0 and installers that compare the numbers see the releases in order.
#define TARNWELL_VERSION_NUMBERS 1, 0, 1, 0
