// A reopened graph drawing the same picture is checked end to end by
// FrameDocument.RoundTripPlotDifferentiateSaveNewOpen (frame_document_tests);
// the fields behind the picture by CvaRoundTrip and DocumentSync. Nothing is
// left for this file.
