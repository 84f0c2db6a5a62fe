#pragma once

namespace tamo {

// The picture beside the topic text is updated at most once a second while the caret moves.
// A request that comes too soon is deferred to a timer 1200 ms away. The timer's tick always
// updates the picture, whenever the last request came: a tick that went through this rule
// again could itself be deferred and then be switched off by its own end, leaving the picture
// of an earlier caret place up with nothing to replace it.
enum class PictureRequest {
    Run,   // update the picture now
    Defer, // start the 1200 ms timer instead; a running timer keeps its pending tick
};

// Decides one request at time now and remembers it in lastRequestTime (both seconds since
// midnight, see secondsSinceMidnight). A request less than a second after (or before) the last one
// is deferred; every request, run or deferred, counts as the last one. Start lastRequestTime at 0.
//
// The difference is taken in single precision, as the clock values have always been kept:
// late in the day a float resolves only about 8 ms, so 0.9999 s apart can count as a full
// second. Around midnight the difference is nearly a day and the request runs.
PictureRequest pictureRequest(double now, double &lastRequestTime);

} // namespace tamo
