// A fastener's colour tells its assignment: red while unassigned, else a
// hue of its own for each activity it is assigned to (the first one).
export const UNASSIGNED = '#d9443c';

export function assignmentColour(fastener) {
  const activity = (fastener.assignedTo || [])[0];
  if (!activity) return UNASSIGNED;
  let hash = 0;
  for (const c of activity) hash = (hash * 31 + c.charCodeAt(0)) >>> 0;
  return `hsl(${90 + (hash % 200)}, 65%, 38%)`;
}
