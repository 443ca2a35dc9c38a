// Anchor for the resources library; the data comes from generated sources.
