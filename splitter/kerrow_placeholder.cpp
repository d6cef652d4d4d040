// Replaced by the splitter implementation.
